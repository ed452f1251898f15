// The running program with a scan of the test's own loaded through the Open command's road.
#pragma once

#include "program_fixture.h"
#include "mainroad_support.h"

#include "ExampleScans.h"

#include "support/pump.h"

#include "scan/files/_TFileManager.h"
#include "scan/model/_TScanData.h"
#include "scan/render/_TScanImage.h"

#include <windows.h>

class CommandsTest : public ProgramTest {
protected:
    // Starts the program and opens Example, written into the test's folder, as the Open
    // command does.
    bool StartWithScan(const TExampleScan& Example)
    {
        if (!Start())
            return false;
        ScanFile = Root + u"scan.dmo";
        WriteFileBytes(ScanFile, EncodeScanFile(Example.Source));
        MainForm->OpenFile(ScanFile);
        return PumpUntil(PostedMessagesHandled()) && MainForm->State().Session().Scan()->Count > 0;
    }

    std::u16string ScanFile;
};
