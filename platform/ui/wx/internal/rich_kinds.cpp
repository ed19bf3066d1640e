// The adapters of list views, tree views, toolbars, status bars, tab strips, rich-text boxes
// and web browsers: made from the model, refilled on its changes.

#include "platform/ui/bars.h"
#include "platform/ui/control_properties.h"
#include "platform/ui/form.h"
#include "platform/ui/image_list.h"
#include "platform/ui/list_view.h"
#include "platform/ui/rich_text.h"
#include "platform/ui/tab_strip.h"
#include "platform/ui/tree_view.h"
#include "platform/ui/user_controls.h"
#include "platform/ui/user_input.h"
#include "platform/ui/wx/internal/adapter.h"
#include "platform/ui/wx/internal/convert.h"
#include "platform/ui/wx/internal/drawing.h"
#include "platform/ui/wx/internal/web_view.h"

#include <wx/dcbuffer.h>
#include <wx/image.h>
#include <wx/imaglist.h>
#include <wx/listctrl.h>
#include <wx/panel.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>
#include <wx/treectrl.h>

#include <algorithm>
#include <initializer_list>
#include <vector>

namespace kv::ui::wx::internal {
namespace {

constexpr int kFirstTool = 1000;
constexpr int kTabHeight = 24;

// A tree widget that knows the widget item of each node of the model.
class TreeWidget : public wxTreeCtrl {
public:
    TreeWidget(wxWindow* parent, const wxRect& r)
        : wxTreeCtrl(parent, wxID_ANY, r.GetPosition(), r.GetSize(),
                     wxTR_DEFAULT_STYLE | wxTR_HIDE_ROOT | wxTR_LINES_AT_ROOT | wxTR_SINGLE) {}
    std::vector<wxTreeItemId> ids;
    int indexOf(const wxTreeItemId& id) const {
        auto it = std::find(ids.begin(), ids.end(), id);
        return it == ids.end() ? -1 : static_cast<int>(it - ids.begin());
    }
};

constexpr int kIconSize = 16;

// The pictures of the model's image lists, in order, as one list of the toolkit's with
// icons of 16 x 16 (a picture that does not load shows blank); nullptr when they hold none.
wxImageList* toImageList(std::initializer_list<const ImageList*> lists) {
    int total = 0;
    for (const ImageList* l : lists)
        if (l) total += l->count();
    if (total == 0) return nullptr;
    auto* out = new wxImageList(kIconSize, kIconSize, true, total);
    wxImage blank(kIconSize, kIconSize);
    blank.InitAlpha();
    std::fill_n(blank.GetAlpha(), kIconSize * kIconSize, static_cast<unsigned char>(0));
    for (const ImageList* l : lists) {
        for (int i = 1; l && i <= l->count(); ++i) {
            wxBitmap b = toBitmap(l->picture(i));
            if (!b.IsOk()) {
                b = wxBitmap(blank);
            } else if (b.GetWidth() != kIconSize || b.GetHeight() != kIconSize) {
                b = wxBitmap(b.ConvertToImage().Scale(kIconSize, kIconSize));
            }
            out->Add(b);
        }
    }
    return out;
}

// Tab i's picture from the strip's image list, 16 x 16; none when it has none.
wxBitmap tabPicture(TabStrip& tabs, int i) {
    const int image = tabs.tab(i).image;
    if (!tabs.imageList() || image <= 0) return wxNullBitmap;
    wxBitmap b = toBitmap(tabs.imageList()->picture(image));
    if (b.IsOk() && (b.GetWidth() != kIconSize || b.GetHeight() != kIconSize))
        b = wxBitmap(b.ConvertToImage().Scale(kIconSize, kIconSize));
    return b;
}

// A tab strip drawn from the model: the tabs along the top, the page's border below.
std::vector<wxRect> tabRects(TabStrip& tabs, wxDC& dc) {
    std::vector<wxRect> out;
    int x = 2;
    for (int i = 1; i <= tabs.tabCount(); ++i) {
        int w = dc.GetTextExtent(toWx(tabs.tab(i).caption, tabs.font().charset)).GetWidth() + 20;
        if (tabPicture(tabs, i).IsOk()) w += kIconSize + 4;
        out.emplace_back(x, 2, w, kTabHeight - 2);
        x += w;
    }
    return out;
}

wxWindow* makeTabStrip(TabStrip& tabs, wxWindow* parent, const wxRect& r) {
    auto* w = new wxPanel(parent, wxID_ANY, r.GetPosition(), r.GetSize(), wxBORDER_NONE);
    w->SetBackgroundStyle(wxBG_STYLE_PAINT);
    w->Bind(wxEVT_PAINT, [w, &tabs](wxPaintEvent&) {
        wxAutoBufferedPaintDC dc(w);
        dc.SetBackground(wxBrush(w->GetBackgroundColour()));
        dc.Clear();
        dc.SetFont(w->GetFont());
        wxSize size = w->GetClientSize();
        dc.SetPen(wxPen(wxColour(128, 128, 128)));
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        dc.DrawRectangle(0, kTabHeight, size.x, size.y - kTabHeight);
        auto rects = tabRects(tabs, dc);
        for (int i = 1; i <= static_cast<int>(rects.size()); ++i) {
            wxRect t = rects[static_cast<std::size_t>(i - 1)];
            bool selected = i == tabs.selectedIndex();
            if (selected) t.Inflate(0, 2);
            dc.SetBrush(wxBrush(selected ? *wxWHITE : w->GetBackgroundColour()));
            dc.DrawRectangle(t);
            if (wxBitmap picture = tabPicture(tabs, i); picture.IsOk()) {
                dc.DrawBitmap(picture, t.x + 8, t.y + (t.height - kIconSize) / 2, true);
                t.x += kIconSize + 4;
                t.width -= kIconSize + 4;
            }
            dc.DrawLabel(toWx(tabs.tab(i).caption, tabs.font().charset), t, wxALIGN_CENTER);
        }
    });
    return w;
}

// A report list drawn from the model as its rows come into view (a virtual list): a refill
// of thousands of rows costs what the rows on screen cost, and sorting moves no widget rows.
class ReportList : public wxListCtrl {
public:
    ReportList(ListView& list, wxWindow* parent, const wxRect& r)
        : wxListCtrl(parent, wxID_ANY, r.GetPosition(), r.GetSize(),
                     wxLC_REPORT | wxLC_VIRTUAL | wxLC_SINGLE_SEL),
          list_(list) {}

    wxString OnGetItemText(long row, long column) const override {
        const ListItem& item = list_.item(static_cast<int>(row));
        const auto c = static_cast<std::size_t>(column);
        return c < item.cells.size() ? toWx(item.cells[c].text, list_.font().charset) : wxString();
    }
    int OnGetItemImage(long row) const override {
        return list_.smallIcons() ? list_.item(static_cast<int>(row)).smallIcon - 1 : -1;
    }
    bool OnGetItemIsChecked(long row) const override {
        return list_.item(static_cast<int>(row)).checked;
    }
    wxItemAttr* OnGetItemAttr(long row) const override {
        const int r = static_cast<int>(row);
        const ListItem& item = list_.item(r);
        const RowColors colors = list_.rowColors(r);
        attr_ = wxItemAttr();
        const Color text = item.cells.front().foreColor.value_or(colors.text);
        if (text != kBlack) attr_.SetTextColour(toColour(text));
        if (colors.background != kWindowBackground)
            attr_.SetBackgroundColour(toColour(colors.background));
        if (item.cells.front().bold) {
            wxFont bold = toFont(list_.font());
            bold.MakeBold();
            attr_.SetFont(bold);
        }
        return attr_.HasColours() || attr_.HasFont() ? &attr_ : nullptr;
    }

private:
    ListView& list_;
    mutable wxItemAttr attr_;
};

// Makes the widget's report columns those of the model (untouched when they are already).
void fillColumns(ListView& list, wxListCtrl* w) {
    const Units units = list.form()->units();
    // The titles' arrows follow the rows' icons in the toolkit's one list.
    const int arrows = list.smallIcons() ? list.smallIcons()->count() : 0;
    std::vector<wxListItem> want;
    for (int c = 0; c < list.columnCount(); ++c) {
        const ColumnHeader& h = list.column(c);
        wxListItem column;
        column.SetText(toWx(h.text, list.font().charset));
        column.SetAlign(h.alignment == Alignment::Right    ? wxLIST_FORMAT_RIGHT
                        : h.alignment == Alignment::Center ? wxLIST_FORMAT_CENTRE
                                                           : wxLIST_FORMAT_LEFT);
        column.SetWidth(w->FromDIP(toPixels(h.width, units)));
        column.SetImage(h.icon > 0 && list.columnHeaderIcons() ? arrows + h.icon - 1 : -1);
        want.push_back(column);
    }
    bool same = w->GetColumnCount() == static_cast<int>(want.size());
    for (int c = 0; same && c < w->GetColumnCount(); ++c) {
        wxListItem have;
        have.SetMask(wxLIST_MASK_TEXT | wxLIST_MASK_FORMAT | wxLIST_MASK_WIDTH | wxLIST_MASK_IMAGE);
        w->GetColumn(c, have);
        const wxListItem& x = want[static_cast<std::size_t>(c)];
        same = have.GetText() == x.GetText() && have.GetAlign() == x.GetAlign() &&
               have.GetWidth() == x.GetWidth() && have.GetImage() == x.GetImage();
    }
    if (same) return;
    w->DeleteAllColumns();
    for (int c = 0; c < static_cast<int>(want.size()); ++c) {
        const wxListItem& x = want[static_cast<std::size_t>(c)];
        w->InsertColumn(c, x.GetText(), x.GetAlign(), x.GetWidth());
        if (x.GetImage() >= 0) {
            wxListItem title;
            title.SetMask(wxLIST_MASK_IMAGE);
            title.SetImage(x.GetImage());
            w->SetColumn(c, title);
        }
    }
}

// The selected row of the model, selected in the widget.
void syncSelection(ListView& list, wxListCtrl* w) {
    if (dynamic_cast<ReportList*>(w)) {
        const long want = list.selectedIndex();
        for (long have = w->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); have >= 0;
             have = w->GetNextItem(have, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED))
            if (have != want) w->SetItemState(have, 0, wxLIST_STATE_SELECTED);
        if (want >= 0 && want < w->GetItemCount() &&
            w->GetItemState(want, wxLIST_STATE_SELECTED) == 0)
            w->SetItemState(want, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    } else {
        for (int r = 0; r < list.itemCount() && r < w->GetItemCount(); ++r) {
            bool on = list.item(r).selected;
            if ((w->GetItemState(r, wxLIST_STATE_SELECTED) != 0) != on)
                w->SetItemState(r, on ? wxLIST_STATE_SELECTED : 0, wxLIST_STATE_SELECTED);
        }
    }
}

// The selected row of the model, selected in the widget and scrolled into view.
void selectRow(ListView& list, wxListCtrl* w) {
    syncSelection(list, w);
    if (int s = list.selectedIndex(); s >= 0 && s < w->GetItemCount()) w->EnsureVisible(s);
}

void fillList(ListView& list, wxListCtrl* w) {
    if (!list.redraw()) return;
    if (w->HasCheckBoxes() != list.checkBoxes()) w->EnableCheckBoxes(list.checkBoxes());
    // Row icons, then the column titles' arrows, in the one list the toolkit has for both.
    if (!w->GetImageList(wxIMAGE_LIST_SMALL))
        if (wxImageList* icons = toImageList({list.smallIcons(), list.columnHeaderIcons()}))
            w->AssignImageList(icons, wxIMAGE_LIST_SMALL);
    if (dynamic_cast<ReportList*>(w)) {
        fillColumns(list, w);
        if (w->GetItemCount() != list.itemCount()) w->SetItemCount(list.itemCount());
        syncSelection(list, w); // where the user scrolled to stays in view
        w->Refresh();
        return;
    }
    // The other views hold their rows in the widget.
    w->Freeze();
    w->DeleteAllItems();
    const int cs = list.font().charset;
    for (int r = 0; r < list.itemCount(); ++r) {
        const ListItem& item = list.item(r);
        long row =
            w->InsertItem(r, toWx(item.text(), cs), list.smallIcons() ? item.smallIcon - 1 : -1);
        RowColors colors = list.rowColors(r);
        Color text = item.cells.front().foreColor.value_or(colors.text);
        if (text != kBlack) w->SetItemTextColour(row, toColour(text));
        if (colors.background != kWindowBackground)
            w->SetItemBackgroundColour(row, toColour(colors.background));
        if (item.cells.front().bold) {
            wxFont bold = toFont(list.font());
            bold.MakeBold();
            w->SetItemFont(row, bold);
        }
        if (list.checkBoxes()) w->CheckItem(row, item.checked);
        if (item.selected) w->SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    }
    w->Thaw();
}

void fillTree(TreeView& tree, TreeWidget* w) {
    w->Freeze();
    w->DeleteAllItems();
    w->ids.assign(static_cast<std::size_t>(tree.nodeCount()), wxTreeItemId());
    if (!w->GetImageList())
        if (wxImageList* icons = toImageList({tree.imageList()})) w->AssignImageList(icons);
    wxTreeItemId root = w->AddRoot("");
    for (int i = 0; i < tree.nodeCount(); ++i) {
        const TreeNode& n = tree.node(i);
        wxTreeItemId parent = n.parent >= 0 ? w->ids[static_cast<std::size_t>(n.parent)] : root;
        if (!parent.IsOk()) parent = root;
        w->ids[static_cast<std::size_t>(i)] = w->AppendItem(
            parent, toWx(n.text, tree.font().charset), tree.imageList() ? n.image - 1 : -1);
    }
    w->Thaw();
}

void expandTree(TreeView& tree, TreeWidget* w) {
    for (int i = 0; i < tree.nodeCount() && i < static_cast<int>(w->ids.size()); ++i) {
        const wxTreeItemId& id = w->ids[static_cast<std::size_t>(i)];
        if (!w->ItemHasChildren(id)) continue;
        if (tree.node(i).expanded && !w->IsExpanded(id)) w->Expand(id);
        if (!tree.node(i).expanded && w->IsExpanded(id)) w->Collapse(id);
    }
    if (int v = tree.firstVisible(); v >= 0 && v < static_cast<int>(w->ids.size()))
        w->EnsureVisible(w->ids[static_cast<std::size_t>(v)]);
}

void selectNode(TreeView& tree, TreeWidget* w) {
    int s = tree.selectedIndex();
    if (s >= 0 && s < static_cast<int>(w->ids.size()))
        w->SelectItem(w->ids[static_cast<std::size_t>(s)]);
    else if (w->GetSelection().IsOk())
        w->Unselect();
}

void fillToolbar(Toolbar& bar, wxToolBar* w) {
    w->ClearTools();
    wxImage clear(16, 16);
    clear.InitAlpha();
    std::fill_n(clear.GetAlpha(), 16 * 16, static_cast<unsigned char>(0));
    wxBitmap blank(clear); // a button without a picture shows its caption alone
    for (int i = 1; i <= bar.buttonCount(); ++i) {
        const ToolButton& b = bar.button(i);
        if (!b.visible) continue;
        if (b.style == ToolButtonStyle::Separator) {
            w->AddSeparator();
            continue;
        }
        wxBitmap bitmap;
        if (bar.imageList() && b.image > 0) bitmap = toBitmap(bar.imageList()->picture(b.image));
        if (!bitmap.IsOk()) bitmap = blank;
        const int cs = bar.font().charset;
        w->AddTool(kFirstTool + i, toWx(b.caption, cs), bitmap, toWx(b.toolTip, cs),
                   b.style == ToolButtonStyle::Check ? wxITEM_CHECK : wxITEM_NORMAL);
        w->EnableTool(kFirstTool + i, b.enabled);
        if (b.style == ToolButtonStyle::Check) w->ToggleTool(kFirstTool + i, b.pressed);
    }
    w->Realize();
}

void fillStatus(StatusBar& bar, wxStatusBar* w) {
    int n = std::max(1, bar.panelCount());
    if (w->GetFieldsCount() != n) w->SetFieldsCount(n);
    for (int i = 1; i <= bar.panelCount(); ++i)
        w->SetStatusText(toWx(bar.panelText(i), bar.font().charset), i - 1);
}

// Model positions count CR LF as two characters; the widget's text has LF alone.
long widgetPosition(const std::string& text, int position) {
    long out = 0;
    for (int i = 0; i < position && i < static_cast<int>(text.size()); ++i)
        if (!(text[static_cast<std::size_t>(i)] == '\r' && i + 1 < static_cast<int>(text.size()) &&
              text[static_cast<std::size_t>(i) + 1] == '\n'))
            ++out;
    return out;
}

void fillRich(RichTextBox& box, wxTextCtrl* w) {
    w->ChangeValue(toWx(box.text(), box.font().charset));
    wxFont bold = toFont(box.font());
    bold.MakeBold();
    for (const TextRun& run : box.boldRuns())
        w->SetStyle(widgetPosition(box.text(), run.start),
                    widgetPosition(box.text(), run.start + run.length),
                    wxTextAttr(wxNullColour, wxNullColour, bold));
    // A right-to-left box reads from the right: its paragraphs are right-aligned.
    if (box.rightToLeft()) {
        wxTextAttr right;
        right.SetAlignment(wxTEXT_ALIGNMENT_RIGHT);
        w->SetStyle(0, w->GetLastPosition(), right);
    }
    w->SetEditable(!box.locked());
}

// The contents of these kinds change as a whole: a refill shows them all again.
bool isContents(Property p) {
    return p == prop::Rows || p == prop::Columns || p == prop::Checks || p == prop::Sorting ||
           p == prop::Redraw || p == prop::Buttons || p == Property::Text || p == Property::Locked;
}

// ListView

wxWindow* createListView(Control& control, wxWindow* parent, const wxRect& r) {
    auto& list = static_cast<ListView&>(control);
    long mode = list.view() == ListViewMode::Report      ? wxLC_REPORT
                : list.view() == ListViewMode::List      ? wxLC_LIST
                : list.view() == ListViewMode::SmallIcon ? wxLC_SMALL_ICON
                                                         : wxLC_ICON;
    wxListCtrl* w = mode == wxLC_REPORT ? new ReportList(list, parent, r)
                                        : new wxListCtrl(parent, wxID_ANY, r.GetPosition(),
                                                         r.GetSize(), mode | wxLC_SINGLE_SEL);
    fillList(list, w);
    return w;
}

bool applyListView(Control& control, wxWindow* window, Property property, bool) {
    auto& list = static_cast<ListView&>(control);
    auto* w = static_cast<wxListCtrl*>(window);
    if (isContents(property)) fillList(list, w);
    if (property == prop::Selection) selectRow(list, w);
    return isContents(property) || property == prop::Selection;
}

void bindListView(Control& control, wxWindow* window, const Input& input) {
    auto* list = static_cast<ListView*>(&control);
    const auto& deliver = input.deliver;
    window->Bind(wxEVT_LIST_ITEM_SELECTED, [list, deliver](wxListEvent& e) {
        int row = static_cast<int>(e.GetIndex());
        deliver([list, row] { user::clickRow(*list, row); });
    });
    window->Bind(wxEVT_LIST_ITEM_ACTIVATED, [list, deliver](wxListEvent&) {
        deliver([list] {
            if (list->reachable() && list->onDblClick) list->onDblClick();
        });
    });
    window->Bind(wxEVT_LIST_COL_CLICK, [list, deliver](wxListEvent& e) {
        int column = e.GetColumn();
        deliver([list, column] { user::clickColumn(*list, column); });
    });
    auto check = [list, deliver](wxListEvent& e) {
        int row = static_cast<int>(e.GetIndex());
        bool on = e.GetEventType() == wxEVT_LIST_ITEM_CHECKED;
        deliver([list, row, on] { user::checkRow(*list, row, on); });
    };
    window->Bind(wxEVT_LIST_ITEM_CHECKED, check);
    window->Bind(wxEVT_LIST_ITEM_UNCHECKED, check);
    window->Bind(wxEVT_LIST_ITEM_RIGHT_CLICK, [list, deliver](wxListEvent& e) {
        MouseEvent m{kRightButton, 0, fromPixels(e.GetPoint().x, list->form()->units()),
                     fromPixels(e.GetPoint().y, list->form()->units())};
        deliver([list, m] {
            user::mouseDown(*list, m);
            user::mouseUp(*list, m);
        });
    });
}

bool listViewNeedsNewWindow(Property p) {
    return p == prop::View;
}

// TreeView

wxWindow* createTreeView(Control& control, wxWindow* parent, const wxRect& r) {
    auto* w = new TreeWidget(parent, r);
    auto& tree = static_cast<TreeView&>(control);
    fillTree(tree, w);
    expandTree(tree, w);
    selectNode(tree, w);
    return w;
}

bool applyTreeView(Control& control, wxWindow* window, Property property, bool) {
    auto& tree = static_cast<TreeView&>(control);
    auto* w = static_cast<TreeWidget*>(window);
    const bool contents = isContents(property);
    if (contents) fillTree(tree, w);
    if (contents || property == prop::Expansion) expandTree(tree, w);
    if (contents || property == prop::Expansion || property == prop::Selection) selectNode(tree, w);
    return contents || property == prop::Expansion || property == prop::Selection;
}

void bindTreeView(Control& control, wxWindow* window, const Input& input) {
    auto* tree = static_cast<TreeView*>(&control);
    auto* w = static_cast<TreeWidget*>(window);
    const auto& deliver = input.deliver;
    window->Bind(wxEVT_TREE_SEL_CHANGED, [tree, w, deliver](wxTreeEvent& e) {
        int node = w->indexOf(e.GetItem());
        if (node >= 0) deliver([tree, node] { user::clickNode(*tree, node); });
    });
    auto expansion = [tree, w, deliver](wxTreeEvent& e) {
        e.Skip();
        int node = w->indexOf(e.GetItem());
        bool on = e.GetEventType() == wxEVT_TREE_ITEM_EXPANDED;
        if (node >= 0) deliver([tree, node, on] { tree->setExpanded(node, on); });
    };
    window->Bind(wxEVT_TREE_ITEM_EXPANDED, expansion);
    window->Bind(wxEVT_TREE_ITEM_COLLAPSED, expansion);
    window->Bind(wxEVT_TREE_ITEM_ACTIVATED, [tree, deliver](wxTreeEvent&) {
        deliver([tree] {
            if (tree->reachable() && tree->onDblClick) tree->onDblClick();
        });
    });
}

// Toolbar and StatusBar

wxWindow* createToolbar(Control& control, wxWindow* parent, const wxRect& r) {
    auto* w = new wxToolBar(parent, wxID_ANY, r.GetPosition(), r.GetSize(),
                            wxTB_HORIZONTAL | wxTB_FLAT | wxTB_TEXT | wxTB_NODIVIDER);
    fillToolbar(static_cast<Toolbar&>(control), w);
    return w;
}

bool applyToolbar(Control& control, wxWindow* window, Property property, bool) {
    if (!isContents(property)) return false;
    fillToolbar(static_cast<Toolbar&>(control), static_cast<wxToolBar*>(window));
    return true;
}

void bindToolbar(Control& control, wxWindow* window, const Input& input) {
    auto* bar = static_cast<Toolbar*>(&control);
    window->Bind(wxEVT_TOOL, [bar, deliver = input.deliver](wxCommandEvent& e) {
        int button = e.GetId() - kFirstTool;
        deliver([bar, button] { user::clickButton(*bar, button); });
    });
}

wxWindow* createStatusBar(Control& control, wxWindow* parent, const wxRect& r) {
    auto* w = new wxStatusBar(parent, wxID_ANY, wxSTB_ELLIPSIZE_END | wxFULL_REPAINT_ON_RESIZE);
    w->SetSize(r);
    fillStatus(static_cast<StatusBar&>(control), w);
    return w;
}

bool applyStatusBar(Control& control, wxWindow* window, Property property, bool) {
    if (!isContents(property)) return false;
    fillStatus(static_cast<StatusBar&>(control), static_cast<wxStatusBar*>(window));
    return true;
}

// TabStrip

wxWindow* createTabStrip(Control& control, wxWindow* parent, const wxRect& r) {
    return makeTabStrip(static_cast<TabStrip&>(control), parent, r);
}

bool applyTabStrip(Control&, wxWindow* window, Property property, bool) {
    if (!isContents(property) && property != prop::Selection) return false;
    window->Refresh();
    return true;
}

void bindTabStrip(Control& control, wxWindow* window, const Input& input) {
    auto* tabs = static_cast<TabStrip*>(&control);
    window->Bind(wxEVT_LEFT_DOWN, [tabs, window, deliver = input.deliver](wxMouseEvent& e) {
        e.Skip();
        wxClientDC dc(window);
        dc.SetFont(window->GetFont());
        auto rects = tabRects(*tabs, dc);
        for (std::size_t i = 0; i < rects.size(); ++i)
            if (rects[i].Contains(e.GetPosition())) {
                int tab = static_cast<int>(i) + 1;
                deliver([tabs, tab] { user::selectTab(*tabs, tab); });
            }
    });
}

// RichTextBox

wxWindow* createRichText(Control& control, wxWindow* parent, const wxRect& r) {
    auto& rich = static_cast<RichTextBox&>(control);
    long border = rich.borderStyle() == BorderStyle::None ? wxBORDER_NONE : wxBORDER_DEFAULT;
    auto* w = new wxTextCtrl(parent, wxID_ANY, "", r.GetPosition(), r.GetSize(),
                             wxTE_MULTILINE | wxTE_RICH2 | border);
    fillRich(rich, w);
    return w;
}

bool applyRichText(Control& control, wxWindow* window, Property property, bool) {
    if (!isContents(property)) return false;
    fillRich(static_cast<RichTextBox&>(control), static_cast<wxTextCtrl*>(window));
    return true;
}

bool richTextNeedsNewWindow(Property p) {
    return p == Property::BorderStyle;
}

// WebBrowser

wxWindow* createBrowser(Control& control, wxWindow* parent, const wxRect& r) {
    return createWebView(static_cast<WebBrowser&>(control), parent, r);
}

bool applyBrowser(Control& control, wxWindow* window, Property property, bool) {
    if (property != prop::Document) return false;
    showDocument(static_cast<WebBrowser&>(control), window);
    return true;
}

void bindBrowser(Control& control, wxWindow* window, const Input& input) {
    bindWebView(static_cast<WebBrowser&>(control), window, input);
}

} // namespace

void addRichAdapters(AdapterTable& table) {
    table["ListView"] = {createListView, applyListView, bindListView, listViewNeedsNewWindow};
    table["TreeView"] = {createTreeView, applyTreeView, bindTreeView};
    table["Toolbar"] = {createToolbar, applyToolbar, bindToolbar};
    table["StatusBar"] = {createStatusBar, applyStatusBar};
    table["TabStrip"] = {createTabStrip, applyTabStrip, bindTabStrip, nullptr, false, true};
    table["RichTextBox"] = {createRichText, applyRichText, nullptr,          richTextNeedsNewWindow,
                            false,          false,         kWindowBackground};
    table["WebBrowser"] = {createBrowser, applyBrowser, bindBrowser};
}

} // namespace kv::ui::wx::internal
