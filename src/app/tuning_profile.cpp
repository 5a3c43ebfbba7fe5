#include "app/tuning_profile.h"

#include "resources/resource.h"
#include "settings/recommendations.h"
#include "wizard/icmp_redirect_page.h"
#include "wizard/keep_alive_page.h"
#include "wizard/mtu_page.h"
#include "wizard/page_format.h"
#include "wizard/path_mtu_page.h"
#include "wizard/receive_window_page.h"
#include "wizard/syn_attack_page.h"
#include "wizard/texts.h"
#include "wizard/ttl_page.h"

namespace {

// A profile key and the page control whose rule it follows (an edit field or a check box).
struct ProfileKey {
  const char* key;
  const PageTable& (*table)();
  int control;
  bool ntOnly;  // the family's wizard has no such step
};

// In the order of the steps, each after the recommendation it may override.
const ProfileKey kMtuKeys[] = {
    {"MTU", &MtuPage::Table, IDC_MTU_EDIT, false},
    {"MSS", &MtuPage::Table, IDC_MSS_EDIT, false},
    {"PMTUDiscovery", &PathMtuPage::Table, IDC_chk_MTUDiscovery, false},
    {"PMTUBlackHoleDetect", &PathMtuPage::Table, IDC_chk_BlackHoleDetection, false},
};
const ProfileKey kLaterKeys[] = {
    {"MaxConnectionsPer1_0Server", &TtlPage::Table, IDC_HTTP_1_0_EDIT, false},
    {"MaxConnectionsPerServer", &TtlPage::Table, IDC_HTTP_1_1_EDIT, false},
    {"TTL", &TtlPage::Table, IDC_TTL_EDIT, false},
    {"KeepAliveInterval", &KeepAlivePage::Table, IDC_KEEPALIVE_INTERVAL_EDIT, false},
    {"KeepAliveTime", &KeepAlivePage::Table, IDC_KEEPALIVE_TIME_EDIT, false},
    {"SynAttackProtect", &SynAttackPage::Table, IDC_SYN_EDIT, true},
    {"EnableICMPRedirect", &IcmpRedirectPage::Table, IDC_chk_ICMP, true},
};

const struct {
  const char* name;
  ConnectionType type;
} kConnectionTypes[] = {
    {"DialUp", kConnectionDialUp},
    {"DSL", kConnectionDsl},
    {"LAN", kConnectionLan},
    {"Cable", kConnectionCableModem},
};

// A check box takes 0 or 1, checked as an integer field of that range.
constexpr PageField kSwitchField = {0, nullptr, PageField::kIntegerInRange, nullptr, nullptr, 0, 1};

class ProfileReading {
 public:
  ProfileReading(const AppState& app, const std::string& path, const std::string& origin,
                 WizardModel& model, CommandLog& log)
      : app_(app), path_(path), origin_(origin), model_(model), log_(log) {}

  // The value of `key` without a comment after it; empty when the line is missing or has no
  // value.
  std::string Value(const char* key) {
    char buffer[kTranslationLimit];
    app_.platform.profile.ReadString(kProfileSection, key, "", buffer, sizeof buffer,
                                     path_.c_str());
    std::string value = buffer;
    if (!value.empty()) anyKey_ = true;
    value = value.substr(0, value.find(';'));
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.pop_back();
    return value;
  }

  void Refuse(const char* key, const std::string& value, const std::string& why) {
    ok_ = false;
    log_.Line("refused " + origin_ + ": [" + kProfileSection + "] " + key + "=" + value + ": " +
              why);
  }

  void Take(const ProfileKey& row) {
    const std::string text = Value(row.key);
    if (row.ntOnly && app_.osFamily != kOsFamilyNt) {
      if (!text.empty())
        log_.Line(std::string("ignored ") + row.key + ": Windows NT, 2000 and XP only");
      return;
    }
    const PageTable& table = row.table();
    for (const PageField& field : table.fields) {
      if (field.id == row.control) TakeField(row.key, text, field);
    }
    for (const PageCheck& check : table.checks) {
      if (check.id != row.control) continue;
      // A box left as the page first shows it: unchecked.
      std::int32_t chosen = static_cast<std::int32_t>(1 - check.whenChecked);
      if (!text.empty() && !Check(row.key, text, kSwitchField, &chosen)) continue;
      model_.settings.*check.chosen = static_cast<std::uint32_t>(chosen);
    }
  }

  // The field's rule on the text; the entry then goes into the settings as the page hands it
  // over. Absent, the recommendation the entry was seeded with stays.
  void TakeField(const char* key, const std::string& text, const PageField& field) {
    std::int32_t entry = model_.*field.entry;
    if (!text.empty() && Check(key, text, field, &entry)) model_.*field.entry = entry;
    if (field.chosen != nullptr) {
      model_.settings.*field.chosen = static_cast<std::uint32_t>(model_.*field.entry);
    }
  }

  bool Check(const char* key, const std::string& text, const PageField& field,
             std::int32_t* entry) {
    const FieldVerdict verdict = CheckFieldText(field, text, model_, entry);
    if (verdict == FieldVerdict::kNotInteger || verdict == FieldVerdict::kOutOfRange) {
      Refuse(key, text, RefusalMessage(app_.platform.toolkit, field, verdict));
      return false;
    }
    if (verdict == FieldVerdict::kFallback) {
      log_.Line(std::string("recommended ") + key + "=" + std::to_string(*entry) + " instead of " +
                text);
    }
    return true;
  }

  void TakeConnectionType() {
    const std::string text = Value("ConnectionType");
    // The step starts with dial-up chosen.
    model_.settings.connectionType = kConnectionDialUp;
    if (text.empty()) return;
    for (const auto& known : kConnectionTypes) {
      if (SameTextIgnoringCase(text, known.name)) {
        model_.settings.connectionType = known.type;
        return;
      }
    }
    Refuse("ConnectionType", text, "DialUp, Cable, DSL or LAN");
  }

  // Step 4: the multiplier typed gives MSS x multiplier x 4, which must lie from the MSS to the
  // largest window, as when the field is left.
  void TakeMultiplier() {
    const std::string text = Value("Multiplier");
    if (!text.empty()) {
      std::int32_t multiplier = 0;
      if (!ParseInteger(text, &multiplier)) multiplier = 0;
      const std::uint32_t mss = model_.settings.mss;
      const ReceiveWindowProduct product = MultiplyReceiveWindow(mss, multiplier);
      if (product.InRange(mss)) {
        model_.multiplierEntry = multiplier;
        model_.receiveWindowEntry = static_cast<std::int32_t>(product.magnitude);
      } else {
        Refuse("Multiplier", text, app_.Translate(text::kRwinRange));
      }
    }
    model_.settings.receiveWindow = static_cast<std::uint32_t>(model_.receiveWindowEntry);
  }

  bool TakeModemBoost() {
    std::int32_t boost = 1;
    const std::string text = Value("ModemBoost");
    if (!text.empty()) Check("ModemBoost", text, kSwitchField, &boost);
    // Only a dial-up user gets to the modem step.
    return boost == 1 && model_.settings.connectionType == kConnectionDialUp;
  }

  // A file without any key of the section (a wrong file, a misspelt section) would tune the
  // PC as a dial-up one without anybody having asked for it.
  bool ok() {
    if (!anyKey_) Refuse("ConnectionType", "", "no key of [Profile] in the file");
    return ok_;
  }

 private:
  const AppState& app_;
  const std::string& path_;
  const std::string& origin_;
  WizardModel& model_;
  CommandLog& log_;
  bool ok_ = true;
  bool anyKey_ = false;
};

}  // namespace

bool ReadProfile(const AppState& app, const std::string& path, const std::string& origin,
                 WizardModel& model, bool* boostModem, CommandLog& log) {
  const OsFamily family = app.osFamily;
  // What the frame runs once before the first step.
  RecommendSynProtection(model, family);
  RecommendKeepAlive(model, family);
  RecommendTtl(model, family);
  RecommendConnections(model, family);

  ProfileReading reading(app, path, origin, model, log);
  reading.TakeConnectionType();
  RecommendMtu(model, family);
  for (const ProfileKey& row : kMtuKeys) reading.Take(row);
  RecommendReceiveWindow(model, family);
  reading.TakeMultiplier();
  for (const ProfileKey& row : kLaterKeys) reading.Take(row);
  *boostModem = reading.TakeModemBoost();
  return reading.ok();
}
