// frmMain's Favorites items: adding the auction the user means to the favourites and
// removing it.

#include "client/app/commands.h"
#include "client/app/frm_main.h"
#include "client/app/numeric_text.h"
#include "client/app/settings_store.h"
#include "platform/ui/application.h"
#include "platform/ui/message_box.h"

#include <cstdint>
#include <exception>
#include <string>

namespace kv::app {
namespace {

constexpr const char* kSelectValidAuction = "Please select a valid auction.";

void showCritical(const std::string& text, const std::string& title) {
    kv::ui::app().messageBox(text, kv::ui::mb::OkOnly | kv::ui::mb::IconError, title);
}

// The auction number the user means when it is a number; otherwise says so and gives "".
std::string validItemNumber(frmMain& main) {
    std::string itemNumber;
    std::int32_t bidId = 0;
    std::int16_t site = 0;
    main.GetSelectedItemNumber(itemNumber, bidId, site);
    if (itemNumber.empty() || !isNumeric(itemNumber)) {
        showCritical(kSelectValidAuction, std::string(kProgramTitle));
        return {};
    }
    return itemNumber;
}

} // namespace

// Refused, with nothing sent, for an auction a shown favourite already holds (the hidden
// element 0 never matches). Errors are ignored.
void frmMain::mnuWatchAdd_Click() {
    try {
        const std::string itemNumber = validItemNumber(*this);
        if (itemNumber.empty()) return;
        for (kv::ui::Control* element : controlArray("mnuWatchedItem")) {
            if (element->visible() && element->tag() == itemNumber) {
                showCritical("You already have that item in your favorites.", "Favorites");
                return;
            }
        }
        changeFavorite(itemNumber, "addfavorite");
    } catch (const std::exception&) {}
}

// Errors are ignored.
void frmMain::mnuWatchRm_Click() {
    try {
        const std::string itemNumber = validItemNumber(*this);
        if (!itemNumber.empty()) changeFavorite(itemNumber, "rmfavorite");
    } catch (const std::exception&) {}
}

} // namespace kv::app
