// TComPort: one serial port opened for overlapped I/O, with its line settings, time-outs and
// queue sizes, watched by an event thread (TComThread) that turns the port's events into the
// component's events.
//
// Threads: settings are applied on the thread that sets them (the GUI thread). With
// smThreadSync and smWindowSync the event handlers run on the GUI thread, with smNone on the
// event thread. No handler runs once Close has begun: a delivery already on its way to the GUI
// thread is dropped, and Close waits for the event thread (answering its calls meanwhile, so
// neither side can block the other) before it closes the handle.
//
// Errors: a failed system call raises EComPort with its code and the system's error. Nothing
// leaves the event thread or the notification window: a handler's exception, or a failed query
// while an event is delivered, goes to the application's exception handler on the GUI thread,
// and the thread keeps watching. A port that stops answering (an unplugged adaptor) is
// reported there once, and the thread stops watching it; Close still closes it.
//
// Idle: the event thread rests between waits that bring no event, so an open port with
// nothing arriving costs no processor time even where the system ends every wait at once. The
// rests double from 1 ms up to TComThread::RestLimit.
#pragma once

#include "device/CPortTypes.h"
#include "device/CommFunctions.h"
#include "framework/Components.h"
#include "framework/Threads.h"

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace CPort {

using TRxCharEvent = std::function<void(TObject* Sender, int32_t Count)>;
using TSignalEvent = std::function<void(TObject* Sender, bool OnOff)>;
using TErrorEvent = std::function<void(TObject* Sender, TComErrors Errors)>;

// The message the event thread sends to the notification window, one per event; WParam holds
// the TEvent.
inline constexpr UINT CM_COMPORTEVENT = WM_USER + 1;

class TComPort;

// Waits on the port (overlapped) until it is stopped, and dispatches each port event.
class TComThread : public TThread {
public:
    // Sets the port's event mask from its Events and starts the thread.
    explicit TComThread(TComPort* ComPort);
    // Stops the thread and waits for it; on the GUI thread the wait keeps answering the
    // thread's synchronized calls and sent messages.
    ~TComThread() override;
    const char* ClassName() const override { return "TComThread"; }

    // The longest rest between two waits that brought no event, in milliseconds: an idle port
    // is looked at twice a second, and the first byte after a quiet spell is reported at most
    // this late (nothing is lost meanwhile: the input queue holds it).
    static constexpr DWORD RestLimit = 500;

protected:
    void Execute() override;
    void TerminatedSet() override;

private:
    void DispatchComMsg(uint32_t Mask);
    // After a wait failed: false while the port still answers. A port that does not (an
    // unplugged adaptor, a line whose far end is gone) is reported once, as EComPort 6 with
    // the system's error, to the application's exception handler (unless Close has begun).
    bool PortLost();

    TComPort* comPort_;
    HANDLE stopEvent_ = nullptr;
};

class TComPort : public TComponent {
public:
    // Functions: the comm functions the port calls (the system's, or a fake in tests).
    explicit TComPort(TComponent* AOwner, const TCommFunctions& Functions = SystemCommFunctions());
    // Closes the port; never throws (a failure goes to the application's exception handler).
    ~TComPort() override;
    const char* ClassName() const override { return "TComPort"; }

    // Opens "\\.\" + PortNum, applies the settings, starts the event thread when Events is not
    // empty (with smWindowSync after the notification window), then fires OnOpen. Nothing
    // happens when the port is open. On a failure the port is left closed.
    void Open();
    // Stops the event thread, closes the handle, then fires OnClose; nothing happens when the
    // port is closed. A failed purge (EComPort 5) is raised after the port has been closed.
    // Not from an event handler: Close waits for the event thread, which waits for the handler.
    void Close();
    bool Connected() const { return connected_; }

    // Bytes waiting in the input queue (EComPort 10 on failure).
    int32_t InputQueueCount();
    // The modem input lines that are on (EComPort 11).
    TModemLines ModemLines();
    // The line errors since the last call (EComPort 10), including those a queue count took
    // off the port (the system clears its error flags on every status query).
    TComErrors ReadLineErrors();
    // Aborts pending reads and writes (EComPort 5).
    void PurgeQueues();

    // Reads up to Count bytes and writes Count bytes, within the port's time-outs (with the
    // read time-outs of the main window's port, a read returns at once with what the input
    // queue holds); the bytes transferred (EComPort 3 and 2). A transfer the system has not
    // ended a second after its time-outs ran out is cancelled, and gives what it moved.
    int32_t Read(void* Buffer, int32_t Count);
    int32_t Write(const void* Buffer, int32_t Count);
    // Raises or lowers the DTR and RTS output lines (EComPort 12).
    void SetDTR(bool OnOff);
    void SetRTS(bool OnOff);
    // The open port's handle; INVALID_HANDLE_VALUE while closed.
    HANDLE Handle() const { return handle_; }

    // Line settings: stored, and applied at once when the port is open (EComPort 7).
    TBaudRate BaudRate() const { return line_.BaudRate; }
    void SetBaudRate(TBaudRate Value);
    TDataBits DataBits() const { return line_.DataBits; }
    void SetDataBits(TDataBits Value);
    TStopBits StopBits() const { return line_.StopBits; }
    void SetStopBits(TStopBits Value);
    bool DiscardNull() const { return line_.DiscardNull; }
    void SetDiscardNull(bool Value);
    uint8_t EventChar() const { return line_.EventChar; }
    void SetEventChar(uint8_t Value);

    // The property objects: a change of one of their values re-applies their group on the open
    // port; assigning a whole object copies it and re-applies its group.
    TComParity& Parity() { return parity_; }
    void SetParity(const TComParity& Value) { parity_.Assign(&Value); }
    TComFlowControl& FlowControl() { return flowControl_; }
    void SetFlowControl(const TComFlowControl& Value) { flowControl_.Assign(&Value); }
    TComTimeouts& Timeouts() { return timeouts_; }
    void SetTimeouts(const TComTimeouts& Value) { timeouts_.Assign(&Value); }
    TComBuffer& Buffer() { return buffer_; }
    void SetBuffer(const TComBuffer& Value) { buffer_.Assign(&Value); }

    const std::string& PortNum() const { return portNum_; }
    // Normalises the name first (see NormalizePortName; a text that is no number raises before
    // anything changes); an open port is closed and reopened on a new name.
    void SetPortNum(const std::string& Value);

    TSyncMethod SyncMethod() const { return syncMethod_; }
    // Raises EComPort 14, keeping the old value, when the port is open.
    void SetSyncMethod(TSyncMethod Value);

    // The events the event thread watches, taken at Open.
    TEvents Events = AllEvents;

    TRxCharEvent OnRxChar;
    TNotifyEvent OnTxEmpty;
    TNotifyEvent OnBreak;
    TNotifyEvent OnRing;
    TSignalEvent OnCTSChange;
    TSignalEvent OnDSRChange;
    TSignalEvent OnRLSDChange;
    TNotifyEvent OnRxFlag;
    TErrorEvent OnError;
    TNotifyEvent OnOpen;
    TNotifyEvent OnClose;
    TNotifyEvent OnRx80Full;

protected:
    // Opens the handle (EComPort 1); closes it.
    virtual void CreateHandle();
    virtual void DestroyHandle();
    // The line settings, the time-outs and the queue sizes.
    virtual void ApplySettings();

private:
    friend class TComThread;

    // The port's status, keeping its error flags for ReadLineErrors (EComPort FailureCode).
    COMSTAT QueryStatus(int32_t FailureCode = CError_ClearComFailed);
    // Waits for an overlapped transfer up to Limit milliseconds and a grace (none: no limit),
    // and cancels one still pending; false when it failed. Done: the bytes it moved.
    bool FinishTransfer(OVERLAPPED* Overlapped, std::optional<uint32_t> Limit, DWORD& Done);
    void ApplyLineState();
    void ApplyTimeouts();
    void ApplyBufferSizes();
    // Stops the deliveries, the event thread and the notification window, and closes the handle.
    void ShutDown();
    // The events of Mask in dispatch order, each through DeliverEvent.
    void DispatchEvents(uint32_t Mask);
    // Calls the handler of one event, unless the port is closing; an exception is reported.
    void DeliverEvent(TEvent Event);
    void CallEvent(TEvent Event);

    TCommFunctions functions_;
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    bool connected_ = false;
    // True from the start of the event thread until Close begins.
    std::atomic<bool> delivering_{false};
    std::unique_ptr<TComThread> thread_;
    HWND window_ = nullptr;
    // Error flags taken off the port and not yet reported; any thread may query the status.
    std::atomic<uint32_t> lineErrors_{0};

    std::string portNum_ = "COM1";
    TSyncMethod syncMethod_ = TSyncMethod::smThreadSync;
    TComLineSettings line_;
    TComParity parity_;
    TComFlowControl flowControl_;
    TComTimeouts timeouts_;
    TComBuffer buffer_;
};

} // namespace CPort
