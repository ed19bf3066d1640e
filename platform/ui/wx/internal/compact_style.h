#pragma once
// The toolkit's widgets drawn compact enough for boxes laid out in twips: a text box, a
// drop-down list or a button 21 pixels high shows its whole text.

class wxWindow;

namespace kv::ui::wx::internal {

// Applies the compact style to every widget of the display (once the toolkit has started).
void applyCompactStyle();
// Takes the padding off a button that shows a picture alone, so that a 16 x 16 picture fits
// a button of 25 x 24 pixels.
void compactPictureButton(wxWindow* button);

} // namespace kv::ui::wx::internal
