// Random command sequences against the editor core: keys, typed characters (surrogate halves
// included), commands, mouse, clipboard, drops, resizes that re-wrap, property changes and undo.
// After every step the model, caret, selection and scroll invariants must hold; at the end,
// undoing the whole history must give back the text it started from.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "../tests/widgets/el/editing/edit_session.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    TEditSession session;
    TByteSource in(Data, Size);
    for (int step = 0; !in.AtEnd() && step < 400; ++step) {
        session.Step(in);
        const std::string error = session.CheckInvariants();
        if (!error.empty()) {
            std::fprintf(stderr, "edit_core: step %d: %s\n", step, error.c_str());
            std::abort();
        }
    }
    std::string error;
    if (!session.UndoAllRestores(error)) {
        std::fprintf(stderr, "edit_core: %s\n", error.c_str());
        std::abort();
    }
    return 0;
}
