// Files that exist but cannot be opened are told apart from missing ones, and a settings file
// shorter than its header has the wrong size.
#include "filemanager_fixture.h"
#include "files_test_support.h"
#include "scan/files/_TSettings.h"
#include "scan/files/bkStrings.h"

#include <memory>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace {

// Makes the existing file Path one that cannot be opened for reading while this lives: held
// open with deny-read sharing on Windows; elsewhere without permissions, or, for a user whom
// permissions do not stop, replaced by a socket (which exists but opens as no file).
class TUnopenableFile {
public:
    explicit TUnopenableFile(const std::u16string& Path) : path_(Path)
    {
#ifdef _WIN32
        holder_ = std::make_unique<TFileStream>(Path, fmOpenRead | fmShareDenyRead);
#else
        const std::string name = WideToUtf8(Path);
        if (geteuid() != 0) {
            chmod(name.c_str(), 0);
            return;
        }
        bytes_ = ReadBytes(Path);
        unlink(name.c_str());
        socket_ = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        name.copy(address.sun_path, sizeof address.sun_path - 1);
        bind(socket_, reinterpret_cast<const sockaddr*>(&address), sizeof address);
#endif
    }
    ~TUnopenableFile()
    {
#ifndef _WIN32
        if (socket_ >= 0) {
            close(socket_);
            unlink(WideToUtf8(path_).c_str());
            WriteBytes(path_, bytes_);
        } else {
            chmod(WideToUtf8(path_).c_str(), 0600);
        }
#endif
    }

private:
    std::u16string path_;
#ifdef _WIN32
    std::unique_ptr<TFileStream> holder_;
#else
    int socket_ = -1;
    std::vector<uint8_t> bytes_;
#endif
};

// The framework's open error for Path followed by a reason.
void ExpectOpenError(const std::u16string& Text, const std::u16string& Path)
{
    const std::u16string lead = u"Datei " + Path + u" kann nicht geöffnet werden. ";
    EXPECT_EQ(Text.substr(0, lead.size()), lead) << WideToUtf8(Text);
    EXPECT_GT(Text.size(), lead.size()) << "no reason given";
}

TEST_F(FileManagerTest, AFileThatExistsButCannotBeOpenedIsToldApartFromAMissingOne)
{
    ASSERT_TRUE(Open(WriteExample(MakeFieldExample())));
    const TFileManagerState before = State();
    Messages.Messages.clear();

    const std::u16string path = WriteExample(MakeTarnwellScanExample());
    {
        TUnopenableFile lock(path);
        ASSERT_TRUE(WideFileExists(path));
        EXPECT_FALSE(Open(path));
    }
    EXPECT_EQ(Magic, std::string(1, '\0'));
    ASSERT_EQ(Messages.Messages.size(), 1u);
    EXPECT_EQ(Messages.Messages[0].Kind, 0);  // the framework's standard error box
    ExpectOpenError(Messages.Messages[0].Text, path);
    EXPECT_TRUE(State() == before);

    // A missing file keeps its own message.
    Messages.Messages.clear();
    EXPECT_FALSE(Open(Folder + u"missing.dmo"));
    ASSERT_EQ(Messages.Messages.size(), 1u);
    EXPECT_EQ(Messages.Messages[0].Text, u"File not found.");

    // Once it can be opened, the file loads.
    EXPECT_TRUE(Open(path));
}

class SettingsErrors : public ::testing::Test {
protected:
    SettingsErrors()
    {
        Settings.Messages = &Sink;
        Settings.OnReadFile = [this](TStream&) { ++Reads; };
        Settings.OnWriteFile = [](TStream& S) { WriteWideStringToStream(S, u"payload"); };
    }

    TTempFolder Temp;
    std::u16string Name = Temp.Path("settings.cfg");
    TRecordingMessageSink Sink;
    TSettings Settings{nullptr};
    int Reads = 0;
};

TEST_F(SettingsErrors, AFileShorterThanItsHeaderHasTheWrongSize)
{
    Settings.SaveToFile(Name);
    const std::vector<uint8_t> good = ReadBytes(Name);
    for (size_t length : {size_t(0), size_t(3), size_t(4), size_t(20), size_t(TSettings::HeaderSize - 1)}) {
        SCOPED_TRACE(length);
        WriteBytes(Name, std::vector<uint8_t>(good.begin(), good.begin() + length));
        Sink.Messages.clear();
        Settings.LoadFromFile(Name);
        ASSERT_EQ(Sink.Messages.size(), 1u);
        EXPECT_EQ(Sink.Messages[0].Text, u"Invalid file size: \"" + Name + u"\"");
        EXPECT_EQ(ReadBytes(Name).size(), length);  // not repaired
    }
    EXPECT_EQ(Reads, 0);
}

TEST_F(SettingsErrors, AFileThatCannotBeOpenedShowsTheOpenErrorAndStaysAsItIs)
{
    Settings.SaveToFile(Name);
    const std::vector<uint8_t> saved = ReadBytes(Name);
    {
        TUnopenableFile lock(Name);
        Settings.LoadFromFile(Name);
    }
    ASSERT_EQ(Sink.Messages.size(), 1u);
    ExpectOpenError(Sink.Messages[0].Text, Name);
    EXPECT_EQ(Reads, 0);
    EXPECT_EQ(ReadBytes(Name), saved);  // not replaced by a fresh file
}

} // namespace
