// frmMain's Edit items and their context twins. While the main browser pane wb1 is shown
// they act on its page (the browser panes' commands); while the snipe list is shown, copy
// and select all act on the list and undo, cut and paste (disabled there) do nothing.

#include "client/app/frm_main.h"
#include "client/app/numeric_text.h"
#include "platform/ui/application.h"
#include "platform/ui/web_browser.h"

#include <exception>
#include <string>

namespace kv::app {

void frmMain::mnuEditUndo_Click() {
    browserEditCommand(kv::ui::browser_cmd::Undo); // nothing while the list is shown
}

void frmMain::mnuEditCut_Click() {
    browserEditCommand(kv::ui::browser_cmd::Cut); // nothing while the list is shown
}

void frmMain::mnuEditCopy_Click() {
    if (browserEditCommand(kv::ui::browser_cmd::Copy)) return;
    CopySelectedRows();
}

void frmMain::mnuEditPaste_Click() {
    browserEditCommand(kv::ui::browser_cmd::Paste); // nothing while the list is shown
}

void frmMain::mnuEditSelectAll_Click() {
    if (browserEditCommand(kv::ui::browser_cmd::SelectAll)) return;
    selectAllRows();
}

// The context menu's cut and copy: the Edit items', errors ignored.
void frmMain::mnuPropCut_Click() {
    try {
        mnuEditCut_Click();
    } catch (const std::exception&) {}
}

void frmMain::mnuPropCopy_Click() {
    try {
        mnuEditCopy_Click();
    } catch (const std::exception&) {}
}

// "<item number> TAB <title>" for every snipe row that is checked or selected, in list
// order, CR LF between rows. Setting the text replaces whatever the clipboard held, so
// nothing to copy leaves it holding an empty text. Errors are ignored.
void frmMain::CopySelectedRows() {
    try {
        std::string text;
        std::string lineBreak;
        for (const kv::ui::ListItem& row : lvListView.items()) {
            if (!(row.checked || row.selected) || !isNumeric(row.text())) continue;
            text += lineBreak + row.text() + '\t';
            if (row.cells.size() > 1) text += row.cells[1].text;
            lineBreak = "\r\n";
        }
        kv::ui::app().setClipboardText(text);
    } catch (const std::exception&) {}
}

// Ticks every snipe row; total rows stay unticked. Errors are ignored.
void frmMain::selectAllRows() {
    try {
        for (int row = 0; row < lvListView.itemCount(); ++row)
            if (isNumeric(lvListView.text(row))) lvListView.setChecked(row, true);
        UpdateCheckedMenus();
    } catch (const std::exception&) {}
}

} // namespace kv::app
