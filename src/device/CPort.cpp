#include "device/CPort.h"

#include "framework/ExceptionBarrier.h"
#include "framework/Messages.h"
#include "framework/StrConv.h"
#include "framework/SyncQueue.h"
#include "framework/UtilityWindow.h"
#include "framework/WinText.h"

#include <algorithm>
#include <exception>

namespace CPort {

namespace {

constexpr DWORD AllQueues = PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR;
// How much longer than the port's own time-outs a transfer may take before it is cancelled,
// in milliseconds: a system that keeps the time-outs ends the transfer itself first, even a
// busy one.
constexpr uint32_t TransferGrace = 1000;

[[noreturn]] void RaiseLastError(int32_t Code)
{
    throw EComPort(Code, static_cast<int32_t>(GetLastError()));
}

// An OVERLAPPED with its own manual-reset event, for one transfer.
class TOverlappedTransfer {
public:
    TOverlappedTransfer()
    {
        overlapped_.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        if (!overlapped_.hEvent)
            throw EOutOfResources(u"Cannot create an event for a serial transfer");
    }
    ~TOverlappedTransfer() { CloseHandle(overlapped_.hEvent); }
    TOverlappedTransfer(const TOverlappedTransfer&) = delete;
    TOverlappedTransfer& operator=(const TOverlappedTransfer&) = delete;
    OVERLAPPED* Get() { return &overlapped_; }

private:
    OVERLAPPED overlapped_{};
};

// Reports the exception being handled. On the GUI thread the application's handler takes it
// at once; from the event thread it is handed over to the GUI thread.
void ReportDeliveryError() noexcept
{
    if (IsMainThread()) {
        HandleCurrentException();
        return;
    }
    const std::exception_ptr error = std::current_exception();
    Guarded([error] { QueueCall(nullptr, [error] { std::rethrow_exception(error); }); });
}

} // namespace

// ---- TComThread ----

TComThread::TComThread(TComPort* ComPort) : comPort_(ComPort)
{
    stopEvent_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!stopEvent_)
        throw EOutOfResources(u"Cannot create the serial port's stop event");
    comPort_->functions_.SetCommMask(comPort_->handle_, EventMask(comPort_->Events));
    try {
        Start();
    } catch (...) {
        CloseHandle(stopEvent_);
        throw;
    }
}

TComThread::~TComThread()
{
    Terminate();
    WaitFor();
    CloseHandle(stopEvent_);
}

void TComThread::TerminatedSet()
{
    SetEvent(stopEvent_);
}

void TComThread::Execute()
{
    const TCommFunctions& comm = comPort_->functions_;
    const HANDLE port = comPort_->handle_;
    // The system writes the mask and the completion into these until the wait is over, so
    // they live until the last wait has completed, cancelled if need be.
    TOverlappedTransfer overlapped;
    DWORD mask = 0;
    bool waiting = false;
    const HANDLE handles[2] = {stopEvent_, overlapped.Get()->hEvent};
    // A port may end its waits with nothing to report, fail them or refuse them, for a moment
    // (a wait that has just completed may still count as pending) or for good (a line without
    // modem signals refuses their events; a pseudo-terminal under Wine ends every wait within
    // milliseconds): each wait that brings no event is followed by a rest that doubles up to
    // RestLimit, so that an idle port costs no processor time. An event ends the rests. A wait
    // that fails on a port that no longer answers ends the watching (see PortLost).
    DWORD rest = 0;
    while (!WaitTerminated(rest)) {
        ResetEvent(overlapped.Get()->hEvent);
        mask = 0;
        bool completed = comm.WaitCommEvent(port, &mask, overlapped.Get());
        if (!completed && GetLastError() == ERROR_IO_PENDING) {
            waiting = true;
            if (WaitForMultipleObjects(2, handles, FALSE, INFINITE) != WAIT_OBJECT_0 + 1)
                break;
            waiting = false;
            DWORD unused = 0;
            completed = comm.GetOverlappedResult(port, overlapped.Get(), &unused, FALSE);
        }
        if (completed && !EventsOfMask(mask).Empty()) {
            rest = 0;
            DispatchComMsg(mask);
            continue;
        }
        if (!completed && PortLost()) {
            WaitTerminated(INFINITE);
            break;
        }
        rest = std::clamp<DWORD>(rest * 2, 1, RestLimit);
    }
    if (waiting) {
        DWORD unused = 0;
        comm.CancelIo(port);
        comm.GetOverlappedResult(port, overlapped.Get(), &unused, TRUE);
    }
    comm.PurgeComm(port, AllQueues);
}

bool TComThread::PortLost()
{
    DCB state{};
    state.DCBlength = sizeof state;
    if (comPort_->functions_.GetCommState(comPort_->handle_, &state))
        return false;
    const auto error = static_cast<int32_t>(GetLastError());
    if (comPort_->delivering_) {
        try {
            throw EComPort(CError_AsyncCheck, error);
        } catch (...) {
            ReportDeliveryError();
        }
    }
    return true;
}

void TComThread::DispatchComMsg(uint32_t Mask)
{
    try {
        switch (comPort_->syncMethod_) {
        case TSyncMethod::smThreadSync:
            Synchronize([port = comPort_, Mask] { port->DispatchEvents(Mask); });
            break;
        case TSyncMethod::smWindowSync:
            for (TEvent event : DispatchOrder)
                if (Mask & EventBit(event))
                    SendMessageW(comPort_->window_, CM_COMPORTEVENT, static_cast<WPARAM>(event), 0);
            break;
        case TSyncMethod::smNone:
            comPort_->DispatchEvents(Mask);
            break;
        }
    } catch (...) {
        ReportDeliveryError();
    }
}

// ---- TComPort ----

TComPort::TComPort(TComponent* AOwner, const TCommFunctions& Functions)
    : TComponent(AOwner),
      functions_(Functions),
      parity_([this] { ApplyLineState(); }),
      flowControl_([this] { ApplyLineState(); }),
      timeouts_([this] { ApplyTimeouts(); }),
      buffer_([this] { ApplyBufferSizes(); })
{
}

TComPort::~TComPort()
{
    // Close shuts the port down before it raises anything.
    Guarded([this] { Close(); });
}

void TComPort::Open()
{
    if (connected_)
        return;
    CreateHandle();
    connected_ = true;
    lineErrors_ = 0;
    try {
        ApplySettings();
        if (!Events.Empty()) {
            if (syncMethod_ == TSyncMethod::smWindowSync) {
                window_ = AllocateHWnd([this](TMessage& Message) {
                    if (Message.Msg != CM_COMPORTEVENT)
                        return false;
                    DeliverEvent(static_cast<TEvent>(Message.WParam));
                    return true;
                });
            }
            delivering_ = true;
            thread_ = std::make_unique<TComThread>(this);
        }
    } catch (...) {
        // Not half open: the handle goes with the failure.
        ShutDown();
        throw;
    }
    if (OnOpen)
        OnOpen(this);
}

void TComPort::Close()
{
    if (!connected_)
        return;
    delivering_ = false;
    std::exception_ptr purgeError;
    try {
        PurgeQueues();
    } catch (...) {
        // An unplugged adaptor fails the purge; the port is closed all the same.
        purgeError = std::current_exception();
    }
    ShutDown();
    if (OnClose)
        OnClose(this);
    if (purgeError)
        std::rethrow_exception(purgeError);
}

void TComPort::ShutDown()
{
    delivering_ = false;
    thread_.reset();
    if (window_) {
        DeallocateHWnd(window_);
        window_ = nullptr;
    }
    DestroyHandle();
    connected_ = false;
}

void TComPort::CreateHandle()
{
    const std::u16string name = u"\\\\.\\" + AnsiToWide(portNum_);
    handle_ = functions_.CreateFileW(WideChars(name), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_OVERLAPPED, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE)
        RaiseLastError(CError_OpenFailed);
}

void TComPort::DestroyHandle()
{
    if (handle_ == INVALID_HANDLE_VALUE)
        return;
    functions_.CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
}

void TComPort::ApplySettings()
{
    ApplyLineState();
    ApplyTimeouts();
    ApplyBufferSizes();
}

void TComPort::ApplyLineState()
{
    if (!connected_)
        return;
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!functions_.GetCommState(handle_, &dcb))
        RaiseLastError(CError_SetStateFailed);
    ApplyLineSettings(dcb, line_, parity_, flowControl_, buffer_.InputSize());
    if (!functions_.SetCommState(handle_, &dcb))
        RaiseLastError(CError_SetStateFailed);
}

void TComPort::ApplyTimeouts()
{
    if (!connected_)
        return;
    const TCommTimeoutValues values = CommTimeoutValues(timeouts_);
    COMMTIMEOUTS timeouts{values.ReadIntervalTimeout, values.ReadTotalTimeoutMultiplier,
                          values.ReadTotalTimeoutConstant, values.WriteTotalTimeoutMultiplier,
                          values.WriteTotalTimeoutConstant};
    if (!functions_.SetCommTimeouts(handle_, &timeouts))
        RaiseLastError(CError_TimeoutsFailed);
}

void TComPort::ApplyBufferSizes()
{
    if (!connected_)
        return;
    if (!functions_.SetupComm(handle_, static_cast<DWORD>(buffer_.InputSize()),
                              static_cast<DWORD>(buffer_.OutputSize())))
        RaiseLastError(CError_SetupComFailed);
}

COMSTAT TComPort::QueryStatus(int32_t FailureCode)
{
    DWORD errors = 0;
    COMSTAT status{};
    if (!functions_.ClearCommError(handle_, &errors, &status))
        RaiseLastError(FailureCode);
    lineErrors_ |= errors;
    return status;
}

int32_t TComPort::InputQueueCount()
{
    return static_cast<int32_t>(QueryStatus().cbInQue);
}

TModemLines TComPort::ModemLines()
{
    DWORD status = 0;
    if (!functions_.GetCommModemStatus(handle_, &status))
        RaiseLastError(CError_ModemStatFailed);
    return ModemLinesOf(status);
}

TComErrors TComPort::ReadLineErrors()
{
    QueryStatus();
    return ComErrorsOf(lineErrors_.exchange(0), parity_.Check());
}

void TComPort::PurgeQueues()
{
    if (!functions_.PurgeComm(handle_, PURGE_TXABORT | PURGE_RXABORT))
        RaiseLastError(CError_PurgeFailed);
}

bool TComPort::FinishTransfer(OVERLAPPED* Overlapped, std::optional<uint32_t> Limit, DWORD& Done)
{
    const DWORD wait = Limit ? static_cast<DWORD>(std::min<uint64_t>(uint64_t{*Limit} + TransferGrace, INFINITE - 1))
                             : INFINITE;
    const bool overdue = WaitForSingleObject(Overlapped->hEvent, wait) == WAIT_TIMEOUT;
    if (overdue)
        functions_.CancelIo(handle_);
    if (functions_.GetOverlappedResult(handle_, Overlapped, &Done, TRUE))
        return true;
    return overdue && GetLastError() == ERROR_OPERATION_ABORTED;
}

int32_t TComPort::Read(void* Buffer, int32_t Count)
{
    if (Count <= 0)
        return 0;
    const std::optional<uint32_t> limit = ReadTimeLimit(CommTimeoutValues(timeouts_), static_cast<uint32_t>(Count));
    if (limit == 0u) {
        // At once, what is queued: a system may let a read of an empty queue wait for the next
        // byte instead (Wine does), so an empty queue is not read at all.
        Count = static_cast<int32_t>(std::min<DWORD>(static_cast<DWORD>(Count), QueryStatus(CError_ReadFailed).cbInQue));
        if (Count == 0)
            return 0;
    }
    TOverlappedTransfer overlapped;
    DWORD done = 0;
    if (!functions_.ReadFile(handle_, Buffer, static_cast<DWORD>(Count), &done, overlapped.Get()) &&
        (GetLastError() != ERROR_IO_PENDING || !FinishTransfer(overlapped.Get(), limit, done)))
        RaiseLastError(CError_ReadFailed);
    return static_cast<int32_t>(done);
}

int32_t TComPort::Write(const void* Buffer, int32_t Count)
{
    if (Count <= 0)
        return 0;
    const std::optional<uint32_t> limit = WriteTimeLimit(CommTimeoutValues(timeouts_), static_cast<uint32_t>(Count));
    TOverlappedTransfer overlapped;
    DWORD done = 0;
    if (!functions_.WriteFile(handle_, Buffer, static_cast<DWORD>(Count), &done, overlapped.Get()) &&
        (GetLastError() != ERROR_IO_PENDING || !FinishTransfer(overlapped.Get(), limit, done)))
        RaiseLastError(CError_WriteFailed);
    return static_cast<int32_t>(done);
}

void TComPort::SetDTR(bool OnOff)
{
    if (!functions_.EscapeCommFunction(handle_, OnOff ? SETDTR : CLRDTR))
        RaiseLastError(CError_EscapeComFailed);
}

void TComPort::SetRTS(bool OnOff)
{
    if (!functions_.EscapeCommFunction(handle_, OnOff ? SETRTS : CLRRTS))
        RaiseLastError(CError_EscapeComFailed);
}

void TComPort::SetBaudRate(TBaudRate Value)
{
    if (line_.BaudRate == Value)
        return;
    line_.BaudRate = Value;
    ApplyLineState();
}

void TComPort::SetDataBits(TDataBits Value)
{
    if (line_.DataBits == Value)
        return;
    line_.DataBits = Value;
    ApplyLineState();
}

void TComPort::SetStopBits(TStopBits Value)
{
    if (line_.StopBits == Value)
        return;
    line_.StopBits = Value;
    ApplyLineState();
}

void TComPort::SetDiscardNull(bool Value)
{
    if (line_.DiscardNull == Value)
        return;
    line_.DiscardNull = Value;
    ApplyLineState();
}

void TComPort::SetEventChar(uint8_t Value)
{
    if (line_.EventChar == Value)
        return;
    line_.EventChar = Value;
    ApplyLineState();
}

void TComPort::SetPortNum(const std::string& Value)
{
    const std::string name = NormalizePortName(Value);
    if (name == portNum_)
        return;
    if (!connected_) {
        portNum_ = name;
        return;
    }
    Close();
    portNum_ = name;
    Open();
}

void TComPort::SetSyncMethod(TSyncMethod Value)
{
    if (Value == syncMethod_)
        return;
    if (connected_)
        throw EComPort(CError_SyncMeth);
    syncMethod_ = Value;
}

void TComPort::DispatchEvents(uint32_t Mask)
{
    for (TEvent event : DispatchOrder)
        if (Mask & EventBit(event))
            DeliverEvent(event);
}

void TComPort::DeliverEvent(TEvent Event)
{
    if (!delivering_)
        return;
    try {
        CallEvent(Event);
    } catch (...) {
        ReportDeliveryError();
    }
}

void TComPort::CallEvent(TEvent Event)
{
    switch (Event) {
    case TEvent::evRxChar:
        if (OnRxChar)
            OnRxChar(this, InputQueueCount());
        break;
    case TEvent::evTxEmpty:
        if (OnTxEmpty)
            OnTxEmpty(this);
        break;
    case TEvent::evBreak:
        if (OnBreak)
            OnBreak(this);
        break;
    case TEvent::evRing:
        if (OnRing)
            OnRing(this);
        break;
    case TEvent::evCTS:
        if (OnCTSChange)
            OnCTSChange(this, ModemLines().Contains(TModemLine::mlCTS));
        break;
    case TEvent::evDSR:
        if (OnDSRChange)
            OnDSRChange(this, ModemLines().Contains(TModemLine::mlDSR));
        break;
    case TEvent::evRxFlag:
        if (OnRxFlag)
            OnRxFlag(this);
        break;
    case TEvent::evRLSD:
        if (OnRLSDChange)
            OnRLSDChange(this, ModemLines().Contains(TModemLine::mlRLSD));
        break;
    case TEvent::evError:
        if (OnError)
            OnError(this, ReadLineErrors());
        break;
    case TEvent::evRx80Full:
        if (OnRx80Full)
            OnRx80Full(this);
        break;
    }
}

} // namespace CPort
