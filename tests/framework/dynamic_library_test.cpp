// Optional libraries bound by name and type: a missing library or export is an empty binding.
#include "framework/DynamicLibrary.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

using TGetCurrentProcessId = DWORD WINAPI();

TEST(DynamicLibrary, AMissingLibraryOrExportGivesEmptyBindings)
{
    const TDynamicLibrary missing(L"l3d-no-such-library.dll");
    EXPECT_FALSE(missing.Loaded());
    EXPECT_EQ(missing.Function<TGetCurrentProcessId>("GetCurrentProcessId"), nullptr);

    const TDynamicLibrary kernel(L"kernel32.dll");
    ASSERT_TRUE(kernel.Loaded());
    EXPECT_EQ(kernel.Function<TGetCurrentProcessId>("L3dNoSuchExport"), nullptr);
    EXPECT_EQ(kernel.Address(nullptr), nullptr);
    auto* getCurrentProcessId = kernel.Function<TGetCurrentProcessId>("GetCurrentProcessId");
    ASSERT_NE(getCurrentProcessId, nullptr);
    EXPECT_EQ(getCurrentProcessId(), GetCurrentProcessId());
}

TEST(DynamicLibrary, TheLibraryStaysLoadedExactlyAsLongAsItsLastOwner)
{
    // A library nothing else in the test loads.
    constexpr wchar_t name[] = L"cards.dll";
    ASSERT_EQ(GetModuleHandleW(name), nullptr);
    {
        TDynamicLibrary first(name);
        ASSERT_TRUE(first.Loaded());
        TDynamicLibrary second(std::move(first));
        EXPECT_FALSE(first.Loaded());
        EXPECT_NE(second.Address("cdtInit"), nullptr);
        TDynamicLibrary third(L"l3d-no-such-library.dll");
        third = std::move(second);
        EXPECT_NE(GetModuleHandleW(name), nullptr);
    }
    EXPECT_EQ(GetModuleHandleW(name), nullptr);
}

}  // namespace
