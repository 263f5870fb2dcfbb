#include "graphics/PrismDraw.h"

#include <cmath>
#include <new>

#include "graphics/PrismBoard.h"

namespace {
// While the game is in the background it stands still, checking for the focus this often.
constexpr uint32_t InactivePollMs = 100;
}  // namespace

TPrismDraw::TPrismDraw(Platform& platform)
    : Platform_(platform), Board_(std::make_unique<TPrismBoard>()) {
  Board_->SetSize(ScreenWidth, ScreenHeight);
  StartTime_ = Platform_.Millis();
}

TPrismDraw::~TPrismDraw() = default;

void TPrismDraw::SetFrameRate(int value) {
  if (value <= 0) return;
  FrameRate_ = value;
  FrameInterval_ = 1000.0 / value;
}

void TPrismDraw::SetMaxLag(int value) { MaxLag_ = value < 2 ? 1 : value; }

void TPrismDraw::SetScreenMode(TScreenMode value) {
  if (value == ScreenMode_) return;
  ScreenMode_ = value;
  ApplyPresentation();
  ResetTiming();
}

void TPrismDraw::ToggleScreenMode() {
  SetScreenMode(ScreenMode_ == TScreenMode::smWindow ? TScreenMode::smFullScreen
                                                     : TScreenMode::smWindow);
}

void TPrismDraw::SetScreenZoom(bool value) {
  if (value == ScreenZoom_) return;
  ScreenZoom_ = value;
  ApplyPresentation();
  ResetTiming();
}

void TPrismDraw::ApplyPresentation() { Platform_.SetPresentation({ScreenMode_, ScreenZoom_}); }

void TPrismDraw::Initialize() {
  ApplyPresentation();
  ResetTiming();
}

uint64_t TPrismDraw::Elapsed() { return Platform_.Millis() - StartTime_; }

// Rounds half to even, as the schedule's lag has always been rounded.
int TPrismDraw::FrameLag() {
  const double behind =
      (double(Elapsed()) - double(FrameBase_) - FrameCount_ * FrameInterval_) / FrameInterval_;
  return int(std::nearbyint(behind));
}

void TPrismDraw::ResetTiming() {
  FrameBase_ = Elapsed();
  FrameCount_ = 0;
}

void TPrismDraw::WaitFrame() {
  if (OnFrameEnd) OnFrameEnd(FrameNumber_);
  for (;;) {
    Platform_.Sleep(1);
    if (FrameLag() > MaxLag_) ResetTiming();
    const uint64_t start = Elapsed();
    for (;;) {
      ProcessMessages();
      const double deadline = FrameCount_ * FrameInterval_ + double(FrameBase_);
      const double now = double(Elapsed());
      if (deadline < now) break;
      // Sleep through the rest of the slot, waking for window events; the last millisecond is
      // left to the pump so the deadline is not overslept.
      const double rest = deadline - now;
      Platform_.WaitEvent(rest > 2.0 ? uint32_t(rest) - 1 : 1);
    }
    if (++FrameCount_ >= FrameRate_) {
      FrameBase_ += 1000;
      FrameCount_ = 0;
    }
    // A stall longer than two frames restarts the schedule instead of racing to catch up.
    if (double(Elapsed() - start) > 2 * FrameInterval_) ResetTiming();
    if (Platform_.Active()) break;
    Platform_.WaitEvent(InactivePollMs);
    ResetTiming();
  }
  ++FrameNumber_;
  if (OnFrameBegin) OnFrameBegin(FrameNumber_);
}

void TPrismDraw::Present() {
  const TPrismBoard& board = *Board_;
  Platform_.Present({board.Pixels().data(), board.Width(), board.Height(), board.Width()});
}

void TPrismDraw::ProcessMessages() {
  WindowEvents events = Platform_.Pump();
  if (events.CloseRequested) CloseRequested_ = true;
  if (InMain_) {
    for (const KeyPress& key : events.KeysPressed) HandleKey(key);
  }
  if (CloseRequested_) throw EPrismDrawAbort();
}

void TPrismDraw::Reset() { throw EPrismDrawReset(); }

void TPrismDraw::HandleKey(const KeyPress& key) {
  if ((key.Key == VirtualKey::F(4) && !key.Alt) || (key.Key == VirtualKey::Return && key.Alt)) {
    ToggleScreenMode();
  } else if (key.Key == VirtualKey::F(5)) {
    SetScreenZoom(!ScreenZoom_);
  } else if (key.Key == VirtualKey::F(12)) {
    Reset();
  } else if (key.Key == VirtualKey::PrintScreen && OnScreenshotKey) {
    OnScreenshotKey();
  }
}

int TPrismDraw::Run(const std::string& title) {
  auto showError = [&](const std::string& message) {
    SetScreenMode(TScreenMode::smWindow);
    Platform_.ShowMessage(title, message);
    return 1;
  };
  if (OnFrameBegin) OnFrameBegin(FrameNumber_);
  for (;;) {
    try {
      InMain_ = true;
      if (OnMain) OnMain();
      WaitFrame();
    } catch (const EPrismDrawReset&) {
      // The next pass enters the game afresh, from its reset.
    } catch (const EPrismDrawAbort&) {
      InMain_ = false;
      return 0;
    } catch (const std::bad_alloc&) {
      InMain_ = false;
      return showError("Out of memory");
    } catch (const std::exception& error) {
      InMain_ = false;
      return showError(error.what());
    }
    InMain_ = false;
  }
}
