// The running program with a scan loaded, and the three ways a user gives a command: a menu
// item, a short-cut key and a tool button, each as real messages through the message loop.
#pragma once

#include "program_fixture.h"

#include "ExampleScans.h"

#include "support/pump.h"

#include "framework/Streams.h"
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
        TMemoryStream m;
        if (!WriteScanFile(m, Example.Source))
            return false;
        WriteBytes(ScanFile, m.Bytes());
        // TEMP until the open command lands: the file manager's part of it.
        std::string magic;
        if (!MainForm->FileManager->OpenFile(ScanFile, magic))
            return false;
        MainForm->Magic = magic;
        MainForm->SetDepthControlsEnabled(true);
        MainForm->UpdateMenuStates(true);
        return PumpUntil(PostedMessagesHandled(), 5000) && MainForm->ScanImage->ScanData->Count > 0;
    }

    void Command(TMenuItem* Item)
    {
        PostMessageW(MainForm->Handle(), WM_COMMAND, MAKEWPARAM(Item->Command(), 0), 0);
        EXPECT_TRUE(PumpUntil(PostedMessagesHandled()));
    }
    // A key pressed and let go in the window that has the focus (the main window when none has).
    void Key(uint16_t VirtualKey)
    {
        HWND target = GetFocus() ? GetFocus() : MainForm->Handle();
        PostMessageW(target, WM_KEYDOWN, VirtualKey, 1);
        PostMessageW(target, WM_KEYUP, VirtualKey, 0xC0000001);
        EXPECT_TRUE(PumpUntil(PostedMessagesHandled()));
    }
    // A left click in the middle of a button.
    void Click(TWinControl* Button)
    {
        const LPARAM at = MAKELPARAM(Button->Width() / 2, Button->Height() / 2);
        PostMessageW(Button->Handle(), WM_MOUSEMOVE, 0, at);
        PostMessageW(Button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageW(Button->Handle(), WM_LBUTTONUP, 0, at);
        EXPECT_TRUE(PumpUntil(PostedMessagesHandled()));
    }

    std::u16string ScanFile;
};
