// The language file: the entry walk of TFileSystem and the language payloads, over any bytes.
// Every walk must end, visit each entry once and never describe data beyond the file.
#include <cstdint>
#include <cstdlib>

#include "fuzz_scratch_file.h"
#include "scan/files/MessageSink.h"
#include "scan/files/_TFileSystem.h"
#include "scan/files/_TLanguageManager.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const TFuzzScratchFile File("Lorvane3D.lng", Data, Size);
    const std::u16string& Name = File.Name();
    {
        TFileSystem Container(Name, true, false);
        int64_t Previous = -1;
        size_t Entries = 0;
        for (int64_t P = Container.FindFirst(); P != -1; P = Container.FindNext()) {
            // An entry header takes at least 14 bytes (a name of one unit and the size), so
            // the walk moves forward and cannot find more entries than that allows.
            if (P <= Previous || ++Entries > Size / 14 + 1)
                std::abort();
            if (P + Container.FileInfo().Size > static_cast<int64_t>(Size))
                std::abort();
            Previous = P;
        }
    }
    TRecordingMessageSink Sink;
    TLanguageManager Manager(nullptr);
    Manager.Messages = &Sink;
    Manager.LoadFromFile(Name, u"en_US");
    for (int32_t i = 0; i < Manager.Languages().Count(); ++i) {
        Manager.SetActiveLanguageIndex(i);
        const TLanguage& L = *Manager.Languages()[i];
        if (L.Items().size() > Size / 4)
            std::abort(); // every item took at least its 4-byte ID from the file
        for (const TLanguageItem& Item : L.Items())
            Manager.GetText(Item.ID, u"default");
    }
    Manager.SetActiveLanguageName(u"de_DE");
    Manager.GetText(1, u"File");
    return 0;
}
