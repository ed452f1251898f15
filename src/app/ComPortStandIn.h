// The main window's serial port.
//
// The serial-port component is not part of the program yet. Until it is, TMainComPort is this
// stand-in: it keeps the port's name and answers "not connected", so that every command that
// asks the port finds it closed, and closing it does nothing. When the component arrives, this
// header is the one place that changes: TMainComPort becomes the component, configured as the
// main window needs it (COM1, 2400 baud, 8N1, DTR on, RTS off, 4096-byte buffers, the
// received-character event, thread-synchronised).
#pragma once

#include "framework/Components.h"

#include <string>

class TComPortStandIn : public TComponent {
public:
    explicit TComPortStandIn(TComponent* AOwner) : TComponent(AOwner) {}
    const char* ClassName() const override { return "TComPortStandIn"; }

    bool Connected() const { return false; }
    void Close() {}
    const std::string& PortNum() const { return portNum_; }
    void SetPortNum(const std::string& Value) { portNum_ = Value; }

private:
    std::string portNum_ = "COM1";
};

using TMainComPort = TComPortStandIn;
