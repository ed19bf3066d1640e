#pragma once
// frmHistory: the bid history of one snipe, one row per attempt. A click on a row shows the
// auction site's response (the row's fourth column); OK or Cancel close the window.

#include "platform/ui/buttons.h"
#include "platform/ui/form.h"
#include "platform/ui/list_view.h"
#include "platform/ui/pictures.h"

namespace kv::app {

class frmHistory : public kv::ui::Form {
public:
    frmHistory();

    kv::ui::PictureBox& Picture3 = add<kv::ui::PictureBox>("Picture3"); // the list's area
    kv::ui::ListView& lvListView = add<kv::ui::ListView>("lvListView"); // the history rows
    kv::ui::PictureBox& Picture2 = add<kv::ui::PictureBox>("Picture2"); // the button strip
    kv::ui::CommandButton& OKButton = add<kv::ui::CommandButton>("OKButton");
    kv::ui::CommandButton& CancelButton = add<kv::ui::CommandButton>("CancelButton");

private:
    void Form_Load();
    void showResponse();
};

} // namespace kv::app
