// The program started the way its entry point starts it, in a private set of folders: the
// program folder holds the data files the build made, the user's application-data and
// documents folders are empty at first. Waits are recorded instead of slept, with the splash
// screen's progress at each; the error boxes and message boxes are recorded and answered.
#pragma once

#include "app/main.h"

#include "support/file_bytes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs the start-up with these command-line arguments; true when the main window stands
    // (it is shown and painted then, as the message loop's start shows it).
    bool Start(std::vector<std::u16string> Arguments = {});
    // Ends the program's windows as the end of the message loop does (the settings are saved).
    void Stop();

    // A file of the build's program folder, copied into the private program folder.
    void CopyProgramFile(const std::u16string& Name);
    // The example scans the build wrote, copied into the Examples folder of the documents.
    void CopyExampleScans();
    // Starts the program with the example scans in place, opens the example Name (a file of the
    // Examples folder) and waits until the paint timer drew it.
    void StartWithExample(const std::u16string& Name);
    std::u16string SettingsFile() const { return AppData + u"Lorvane 3D\\settings.cfg"; }
    std::u16string ExamplesFolder() const { return Documents + u"Lorvane 3D\\Examples\\"; }

    // The element of the main window with this name.
    template <class T>
    T* Element(const std::string& Name) const
    {
        return dynamic_cast<T*>(MainForm->FindComponent(Name));
    }

    std::u16string Root;        // everything below is inside it
    std::u16string ProgramDir;  // each ends in a separator
    std::u16string AppData;
    std::u16string Documents;
    std::u16string Pictures;

    std::vector<int32_t> Progress;  // the splash screen's bar at each wait (-1 without a splash)
    std::vector<uint32_t> Waits;
    std::vector<std::u16string> ErrorBoxes;
    // Thrown from the wait with this index, to make the start-up fail there; -1 for none.
    int FailAtWait = -1;
};
