#include "wizard/mtu_finder_dialog.h"

#include "store/program_values.h"
#include "wizard/app_state.h"
#include "wizard/page_format.h"
#include "wizard/texts.h"

namespace {

// A verdict travels as the code of a posted command: the payload (at most 1472) in the low
// twelve bits, the outcome above them.
constexpr int kPayloadBits = 12;
constexpr int kPayloadMask = (1 << kPayloadBits) - 1;

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

MtuFinderDialog::MtuFinderDialog(const AppState& app) : Dialog(*app.platform.toolkit), app_(app) {}

MtuFinderDialog::~MtuFinderDialog() { StopSearch(); }

bool MtuFinderDialog::Run(WindowRef owner, std::uint32_t* mtu) {
  if (toolkit().RunModal(*this, kTemplateId, owner) != kIdOkCommand || mtu_ == 0) return false;
  *mtu = mtu_;
  return true;
}

bool MtuFinderDialog::OnInitDialog() {
  Dialog::OnInitDialog();
  toolkit().SetText(window(), app_.Translate(text::kMtuFinderTitle));
  app_.TranslateControl(window(), IDC_MTU_HOST_LABEL, text::kMtuHostLabel);
  app_.TranslateControl(window(), IDC_MTU_HINT, text::kMtuHint);
  app_.TranslateControl(window(), IDC_MTU_START, text::kMtuStart);
  app_.TranslateControl(window(), IDC_MTU_USE, text::kMtuUse);
  app_.TranslateControl(window(), IDCANCEL, text::kMtuCancel);
  SetItem(IDC_MTU_HOST, ReadMtuHost(app_.platform.registry));
  return true;
}

void MtuFinderDialog::OnCommand(int id, int code) {
  switch (id) {
    case IDC_MTU_START:
      if (code == kBnClicked && !running_) Start();
      return;
    case IDC_MTU_USE:
      if (code == kBnClicked && !running_ && mtu_ != 0) toolkit().EndDialog(window(), kIdOkCommand);
      return;
    case IDC_MTU_TRIED: {
      if (!running_) return;
      const auto outcome = static_cast<EchoOutcome>(code >> kPayloadBits);
      const TextId& line = outcome == EchoOutcome::kReply    ? text::kMtuTriedFits
                           : outcome == EchoOutcome::kTooBig ? text::kMtuTriedTooBig
                                                             : text::kMtuTriedNoReply;
      const std::int32_t payload = code & kPayloadMask;
      SetItem(IDC_MTU_PROGRESS, FillIn(app_.Translate(line), host_, payload, payload));
      return;
    }
    case IDC_MTU_DONE:
      if (running_) Finished();
      return;
    case kIdOkCommand:
      // Enter where no button is the default one: nothing leaves the finder but its buttons.
      return;
    default:
      Dialog::OnCommand(id, code);
  }
}

void MtuFinderDialog::OnCancel() {
  StopSearch();
  Dialog::OnCancel();
}

void MtuFinderDialog::Start() {
  WindowRef hostField = toolkit().Item(window(), IDC_MTU_HOST);
  host_ = Trimmed(hostField != 0 ? toolkit().Text(hostField) : std::string());
  mtu_ = 0;
  SetItem(IDC_MTU_PROGRESS, std::string());
  Pinger* pinger = app_.platform.pinger;
  std::string problem;
  if (host_.empty()) {
    problem = app_.Translate(text::kMtuNoHost);
  } else if (pinger == nullptr || !pinger->Open()) {
    problem = app_.Translate(text::kMtuNoIcmp);
  }
  if (!problem.empty()) {
    SetItem(IDC_MTU_RESULT, problem);
    if (hostField != 0) toolkit().SetFocus(hostField);
    return;
  }
  SaveMtuHost(app_.platform.registry, host_);
  SetItem(IDC_MTU_RESULT, std::string());
  SetItem(IDC_MTU_PROGRESS, app_.Translate(text::kMtuLookingUp));
  cancel_.store(false);
  running_ = true;
  SetBusy(true);
  // Last: a toolkit without threads runs the whole search, Finished() included, in here.
  if (!toolkit().RunBeside(&MtuFinderDialog::SearchJob, this)) {
    running_ = false;
    SetBusy(false);
    SetItem(IDC_MTU_PROGRESS, std::string());
    SetItem(IDC_MTU_RESULT, app_.Translate(text::kMtuNoIcmp));
  }
}

void MtuFinderDialog::SearchJob(void* self) {
  MtuFinderDialog& dialog = *static_cast<MtuFinderDialog*>(self);
  Pinger& pinger = *dialog.app_.platform.pinger;
  std::uint32_t address = 0;
  if (dialog.cancel_.load()) {
    dialog.outcome_ = Outcome::kCancelled;
  } else if (!pinger.Resolve(dialog.host_, &address)) {
    dialog.outcome_ = Outcome::kUnknownHost;
  } else {
    const mtu::Result result = mtu::Run(pinger, address, dialog.cancel_, &dialog);
    dialog.payload_ = result.payload;
    dialog.outcome_ = result.end == mtu::End::kFound      ? Outcome::kFound
                      : result.end == mtu::End::kNoAnswer ? Outcome::kNoAnswer
                                                          : Outcome::kCancelled;
  }
  dialog.toolkit().PostCommand(dialog.window(), IDC_MTU_DONE, 0);
}

void MtuFinderDialog::OnTried(std::uint32_t payload, EchoOutcome outcome) {
  const int code =
      static_cast<int>(payload & kPayloadMask) | (static_cast<int>(outcome) << kPayloadBits);
  toolkit().PostCommand(window(), IDC_MTU_TRIED, code);
}

void MtuFinderDialog::Finished() {
  toolkit().WaitBeside();
  running_ = false;
  std::string said;
  switch (outcome_) {
    case Outcome::kFound:
      mtu_ = payload_ + mtu::kHeaderBytes;
      said = FillIn(app_.Translate(text::kMtuResult), host_, static_cast<std::int32_t>(payload_),
                    static_cast<std::int32_t>(mtu_));
      break;
    case Outcome::kNoAnswer:
      said = FillIn(app_.Translate(text::kMtuNoAnswer), host_, 0, 0);
      break;
    case Outcome::kUnknownHost:
      said = FillIn(app_.Translate(text::kMtuUnknownHost), host_, 0, 0);
      break;
    case Outcome::kCancelled:
      break;
  }
  SetItem(IDC_MTU_RESULT, said);
  app_.TranslateControl(window(), IDCANCEL, text::kMtuClose);
  SetBusy(false);
}

void MtuFinderDialog::StopSearch() {
  if (!running_) return;
  cancel_.store(true);
  // The job ends within one echo's time; what it posts then finds the window gone.
  toolkit().WaitBeside();
  running_ = false;
}

void MtuFinderDialog::SetBusy(bool busy) {
  WindowRef host = toolkit().Item(window(), IDC_MTU_HOST);
  WindowRef start = toolkit().Item(window(), IDC_MTU_START);
  WindowRef use = toolkit().Item(window(), IDC_MTU_USE);
  WindowRef cancel = toolkit().Item(window(), IDCANCEL);
  // The focus leaves a control before it is disabled, or the keyboard would be left nowhere.
  if (busy && cancel != 0) toolkit().SetFocus(cancel);
  for (WindowRef item : {host, start}) {
    if (item != 0) toolkit().Enable(item, !busy);
  }
  if (use != 0) toolkit().Enable(use, !busy && mtu_ != 0);
  if (busy) return;
  WindowRef next = mtu_ != 0 ? use : host;
  if (next != 0) toolkit().SetFocus(next);
}

void MtuFinderDialog::SetItem(int id, const std::string& text) {
  WindowRef item = toolkit().Item(window(), id);
  if (item != 0) toolkit().SetText(item, text);
}
