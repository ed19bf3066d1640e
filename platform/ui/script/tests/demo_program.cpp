#include "platform/ui/script/tests/demo_program.h"

#include "platform/ui/application.h"
#include "platform/ui/buttons.h"
#include "platform/ui/list_view.h"
#include "platform/ui/menu.h"
#include "platform/ui/text_controls.h"

namespace kv::ui::demo {
namespace {

struct Login : Form {
    Login() : Form("frmLogin") {
        setCaption("Login");
        cmdOK.onClick = [this] {
            if (txtUserName.text().empty()) {
                app().messageBox("Please enter your user name.", mb::IconExclamation, "Login");
                return;
            }
            ok = true;
            hide();
        };
        cmdCancel.onClick = [this] { hide(); };
    }
    TextBox& txtUserName = add<TextBox>("txtUserName");
    TextBox& txtPassword = add<TextBox>("txtPassword");
    CheckBox& chkRemember = add<CheckBox>("chkRemember");
    CommandButton& cmdOK = add<CommandButton>("cmdOK");
    CommandButton& cmdCancel = add<CommandButton>("cmdCancel");
    bool ok = false;
};

struct Main : Form {
    explicit Main(Outcome& outcome) : Form("frmMain"), outcome_(outcome) {
        setCaption("Snipes");
        lvListView.setView(ListViewMode::Report);
        lvListView.setCheckBoxes(true);
        lvListView.addColumn("Item");
        for (const char* item : {"1001", "1002", "1003"})
            lvListView.addItem(item);
        lvListView.onItemCheck = [this](int) { updateMenus(); };
        lvListView.onMouseDown = [this](const MouseEvent& e) {
            if (e.button == kRightButton) mnuProperties.popup();
        };
        mnuProperties.setVisible(false);
        mnuPropSelect.setCaption("Select");
        mnuPropSelect.onClick = [this] {
            int row = lvListView.selectedIndex();
            if (row >= 0) lvListView.setChecked(row, !lvListView.checked(row));
            updateMenus();
        };
        mnuFile.setCaption("&Auction");
        mnuDeleteAuction.setCaption("&Cancel Snipe...");
        mnuDeleteAuction.setEnabled(false);
        mnuDeleteAuction.onClick = [this] { cancelChecked(); };
        mnuFileClose.setCaption("&Close");
        mnuFileClose.onClick = [this] { unload(); };
        onUnload = [this](int&) {
            for (const auto& row : lvListView.items())
                outcome_.remaining.push_back(row.text());
        };
    }

    void updateMenus() {
        bool any = false;
        for (const auto& row : lvListView.items())
            any = any || row.checked;
        mnuDeleteAuction.setEnabled(any);
    }

    void cancelChecked() {
        int count = 0;
        for (const auto& row : lvListView.items())
            count += row.checked;
        if (app().messageBox("Cancel " + std::to_string(count) + " checked snipes?",
                             mb::YesNo | mb::IconQuestion, "Kestrovane") != id::Yes)
            return;
        for (int i = lvListView.itemCount() - 1; i >= 0; --i)
            if (lvListView.checked(i)) lvListView.removeItem(i);
        updateMenus();
    }

    ListView& lvListView = add<ListView>("lvListView");
    Menu& mnuFile = add<Menu>("mnuFile");
    Menu& mnuDeleteAuction = add<Menu>("mnuDeleteAuction", -1, &mnuFile);
    Menu& mnuFileClose = add<Menu>("mnuFileClose", -1, &mnuFile);
    Menu& mnuProperties = add<Menu>("mnuProperties");
    Menu& mnuPropSelect = add<Menu>("mnuPropSelect", -1, &mnuProperties);

private:
    Outcome& outcome_;
};

} // namespace

int run(Outcome& outcome) {
    auto& login = app().form<Login>();
    login.show(ShowMode::Modal);
    if (!login.ok) return 2;
    outcome.user = login.txtUserName.text();
    outcome.remember = login.chkRemember.checked();
    login.unload();
    auto& main = static_cast<Main&>(app().load(std::make_unique<Main>(outcome)));
    app().setMainForm(&main);
    main.show();
    app().run();
    return 0;
}

} // namespace kv::ui::demo
