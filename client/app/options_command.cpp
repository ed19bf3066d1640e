#include "client/app/options_command.h"

#include "client/app/frm_main.h"
#include "client/app/frm_options.h"
#include "client/app/internal/command_support.h"
#include "client/app/session.h"
#include "client/app/setting_conversions.h"
#include "client/app/startup.h"
#include "client/app/time_controls.h"
#include "platform/ui/application.h"

#include <cmath>
#include <limits>
#include <string>

namespace kv::app {
namespace {

using kv::protocol::Hash;

constexpr const char* kTitle = "Options";

// A reply field as a whole number within 32 bits (halves to even); 0 when it is none.
std::int32_t wholeField(Hash& reply, const char* key) {
    const double v = std::nearbyint(toNumber(reply.Retrieve(key, "0").text()).value_or(0));
    if (v < std::numeric_limits<std::int32_t>::min() ||
        v > std::numeric_limits<std::int32_t>::max())
        return 0;
    return static_cast<std::int32_t>(v);
}

// Selects entry value - 1; a value outside the list selects nothing.
void selectNumber(kv::ui::ComboBox& list, std::int32_t value) {
    list.setListIndex(value >= 1 && value <= list.listCount() ? value - 1 : -1);
}

} // namespace

void editOptions(std::int16_t tab) {
    Hash request;
    Hash fetched = security().queryKestrovane("getoptions", request);
    if (internal::replyReturn(fetched) == 0) {
        internal::showFailure(fetched, kTitle);
        return;
    }
    frmOptions& dialog = kv::ui::app().form<frmOptions>();
    setTimeControls(dialog, wholeField(fetched, "default_offset"));
    selectNumber(dialog.cboMaxPercent, wholeField(fetched, "friendly_pct"));
    selectNumber(dialog.cboMaxFriendly, wholeField(fetched, "friendly_offset"));
    for (int i = 0; i < 4; ++i) {
        const std::string key = "feedback" + std::to_string(i + 1);
        dialog.txtFeedback(i).setText(fetched.Retrieve(key, "").text());
    }

    for (;;) {
        dialog.setSucceeded = false;
        dialog.selectTab(tab);
        dialog.show(kv::ui::ShowMode::Modal, &mainForm());
        // Cancel unloads the dialog; so may another exchange meanwhile.
        if (!dialog.setSucceeded || kv::ui::app().loadedForm<frmOptions>() != &dialog) return;
        Hash store;
        store.Add("friendly_offset",
                  static_cast<std::int64_t>(dialog.cboMaxFriendly.listIndex() + 1));
        store.Add("friendly_pct", static_cast<std::int64_t>(dialog.cboMaxPercent.listIndex() + 1));
        store.Add("default_offset", static_cast<std::int64_t>(dialog.time));
        for (int i = 0; i < 4; ++i)
            store.Add("feedback" + std::to_string(i + 1), dialog.txtFeedback(i).text());
        Hash stored = security().queryKestrovane("setoptions", store);
        if (internal::replyReturn(stored) != 0) return;
        internal::showFailure(stored, kTitle);
        if (kv::ui::app().loadedForm<frmOptions>() != &dialog) return;
    }
}

} // namespace kv::app
