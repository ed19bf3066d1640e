#pragma once
// frmOptions: the options dialog. Its General and Feedback pages show the account options
// editOptions fetched from the service; its Search and Browser pages show the local
// preferences, which it reads itself on load and stores itself on OK. OK checks the input,
// stores the preferences and hides it with setSucceeded set; Cancel unloads it.

#include "platform/ui/buttons.h"
#include "platform/ui/form.h"
#include "platform/ui/frame.h"
#include "platform/ui/lists.h"
#include "platform/ui/pictures.h"
#include "platform/ui/tab_strip.h"
#include "platform/ui/text_controls.h"

#include <cstdint>

namespace kv::app {

class frmOptions : public kv::ui::Form {
public:
    frmOptions();

    kv::ui::TabStrip& tbsOptions = add<kv::ui::TabStrip>("tbsOptions");
    // General.
    kv::ui::PictureBox& picOptions0 = add<kv::ui::PictureBox>("picOptions", 0);
    kv::ui::Frame& fraSample1 = add<kv::ui::Frame>("fraSample1");
    kv::ui::Label& lblDefaultTime = add<kv::ui::Label>("lblDefaultTime");
    kv::ui::ComboBox& txtTime = add<kv::ui::ComboBox>("txtTime");
    kv::ui::ComboBox& txtTimeType = add<kv::ui::ComboBox>("txtTimeType");
    kv::ui::CheckBox& isAgent = add<kv::ui::CheckBox>("isAgent"); // shown only
    kv::ui::Label& lblAgent = add<kv::ui::Label>("lblAgent");
    kv::ui::Frame& Frame1 = add<kv::ui::Frame>("Frame1");
    kv::ui::Label& lblMaxPercent = add<kv::ui::Label>("lblMaxPercent");
    kv::ui::ComboBox& cboMaxPercent = add<kv::ui::ComboBox>("cboMaxPercent");
    kv::ui::Label& lblMaxFriendly = add<kv::ui::Label>("lblMaxFriendly");
    kv::ui::ComboBox& cboMaxFriendly = add<kv::ui::ComboBox>("cboMaxFriendly");
    // Feedback.
    kv::ui::PictureBox& picOptions1 = add<kv::ui::PictureBox>("picOptions", 1);
    kv::ui::Label& lblMessage0 = add<kv::ui::Label>("lblMessage", 0);
    kv::ui::TextBox& txtFeedback0 = add<kv::ui::TextBox>("txtFeedback", 0);
    kv::ui::Label& lblMessage1 = add<kv::ui::Label>("lblMessage", 1);
    kv::ui::TextBox& txtFeedback1 = add<kv::ui::TextBox>("txtFeedback", 1);
    kv::ui::Label& lblMessage2 = add<kv::ui::Label>("lblMessage", 2);
    kv::ui::TextBox& txtFeedback2 = add<kv::ui::TextBox>("txtFeedback", 2);
    kv::ui::Label& lblMessage3 = add<kv::ui::Label>("lblMessage", 3);
    kv::ui::TextBox& txtFeedback3 = add<kv::ui::TextBox>("txtFeedback", 3);
    // Search.
    kv::ui::PictureBox& picOptions2 = add<kv::ui::PictureBox>("picOptions", 2);
    kv::ui::Label& lblCategory = add<kv::ui::Label>("lblCategory");
    kv::ui::ComboBox& cboCategory0 = add<kv::ui::ComboBox>("cboCategory0");
    kv::ui::Label& lblPrice = add<kv::ui::Label>("lblPrice");
    kv::ui::TextBox& minPrice = add<kv::ui::TextBox>("minPrice");
    kv::ui::Label& lblPriceTo = add<kv::ui::Label>("lblPriceTo");
    kv::ui::TextBox& maxPrice = add<kv::ui::TextBox>("maxPrice");
    kv::ui::Label& lblSortProperty = add<kv::ui::Label>("lblSortProperty");
    kv::ui::ComboBox& cboSortProperty = add<kv::ui::ComboBox>("cboSortProperty");
    kv::ui::Label& lblMaxRecords = add<kv::ui::Label>("lblMaxRecords");
    kv::ui::ComboBox& cboMaxRecordsPerPage = add<kv::ui::ComboBox>("cboMaxRecordsPerPage");
    kv::ui::Label& lblRegion = add<kv::ui::Label>("lblRegion");
    kv::ui::ComboBox& cboRegion = add<kv::ui::ComboBox>("cboRegion");
    kv::ui::Label& lblAvailableTo = add<kv::ui::Label>("lblAvailableTo");
    kv::ui::ComboBox& cboAvailableTo = add<kv::ui::ComboBox>("cboAvailableTo");
    kv::ui::Label& lblLocatedIn = add<kv::ui::Label>("lblLocatedIn");
    kv::ui::ComboBox& cboLocatedIn = add<kv::ui::ComboBox>("cboLocatedIn");
    kv::ui::Label& lblCurrency = add<kv::ui::Label>("lblCurrency");
    kv::ui::ComboBox& cboCurrency = add<kv::ui::ComboBox>("cboCurrency");
    kv::ui::CheckBox& chkPayPal = add<kv::ui::CheckBox>("chkPayPal");
    kv::ui::PictureBox& Picture5 = add<kv::ui::PictureBox>("Picture5");
    kv::ui::PictureBox& PicturePP = add<kv::ui::PictureBox>("PicturePP");
    // Browser.
    kv::ui::PictureBox& picOptions3 = add<kv::ui::PictureBox>("picOptions", 3);
    kv::ui::Label& lblShowPreview = add<kv::ui::Label>("lblShowPreview");
    kv::ui::ComboBox& showPreview = add<kv::ui::ComboBox>("showPreview");
    kv::ui::Frame& Frame2 = add<kv::ui::Frame>("Frame2");
    kv::ui::OptionButton& dblClickOnAuction1 = add<kv::ui::OptionButton>("dblClickOnAuction", 1);
    kv::ui::OptionButton& dblClickOnAuction0 = add<kv::ui::OptionButton>("dblClickOnAuction", 0);
    kv::ui::Label& lblHome = add<kv::ui::Label>("lblHome");
    kv::ui::ComboBox& eBayHome = add<kv::ui::ComboBox>("eBayHome");
    // Below the pages: the banner strip with the buttons.
    kv::ui::PictureBox& Picture2 = add<kv::ui::PictureBox>("Picture2");
    kv::ui::CommandButton& cmdOK = add<kv::ui::CommandButton>("cmdOK");
    kv::ui::CommandButton& cmdCancel = add<kv::ui::CommandButton>("cmdCancel");

    std::int32_t time = 0;     // seconds before the auction end, set by OK
    bool setSucceeded = false; // True only when OK passed every check

    // Selects the tab (from 1) and shows its page, as a click on it does.
    void selectTab(int tab);
    // The feedback box of the index 0 to 3.
    kv::ui::TextBox& txtFeedback(int index);

private:
    void Form_Load();
    void Form_KeyDown(int& keyCode, int shift);
    void tbsOptions_Click();
    void Picture5_Click();
    void cmdOK_Click();
    void getLists();
    // A failed check's box, then the focus to the control to correct.
    void refuse(const char* message, kv::ui::Control& focus);
};

} // namespace kv::app
