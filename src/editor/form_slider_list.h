#pragma once
// What every slider list of the editor's windows shares: the view the catalogue transfers work on, the
// common settings, fitting a list to its entries, and the wheel and hover behaviour.

#include <QtGlobal>

#include "editor/catalogue.h"
#include "editor/value_text.h"
#include "widgets/slider_list_box.h"

namespace gw {

// A slider list box as the catalogue transfers see it.
class TSliderListAdapter final : public TSliderList {
 public:
  explicit TSliderListAdapter(TSliderListBox& box) : box_(box) {}
  int32_t Count() const override { return box_.Count(); }
  int32_t Min(int32_t index) const override { return box_.Min(index); }
  int32_t Max(int32_t index) const override { return box_.Max(index); }
  int32_t Value(int32_t index) const override { return box_.Value(index); }
  void SetValue(int32_t index, int32_t value) override { box_.SetValue(index, value); }
  std::string Caption(int32_t index) const override;
  void SetCaption(int32_t index, const std::string& caption) override;
  void BeginUpdate() override { box_.States().BeginUpdate(); }
  void EndUpdate() override { box_.States().EndUpdate(); }

 private:
  TSliderListBox& box_;
};

// No check boxes, line sliders, a focus mark, no selection mark, value texts from the window, the wide
// layout and the parent's colour.
void ApplyEditorListSettings(TSliderListBox& list);

// Adds the list's entries from the catalogue: captions, ranges and first values.
void AddCatalogueEntries(TSliderListBox& list, TSetupList which);

// Entry height = client height / entries; the client height then holds exactly the entries; the first
// entry is selected; no input method.
void FitSliderList(TSliderListBox& list);

// round(k x ppi) pixels.
int PpiWidth(double k, int ppi);

// The mouse wheel as one arrow key: Right for a turn away, Left otherwise, with Shift while the right
// button is held (or when `fine` asks for single steps). Nothing without a selected entry.
void SliderListWheel(TSliderListBox& list, Qt::KeyboardModifiers shift, Qt::MouseButtons buttons, int delta,
                     bool fine = false);
// The entry under the pointer becomes the focused, selected entry, unless a slider is being dragged.
void SliderListHover(TSliderListBox& list, int x, int y);

// The faces the layout was drawn for: Tahoma for the window, Arial for headings and car names. Where they
// are missing (Linux), Liberation Sans, which has Arial's metrics, is named directly: asking for a missing
// family costs a font search at every start.
QString WindowFontFamily();
QString ArialFamily();

// The user's number and degree texts.
TValueTextFormat LocalValueTextFormat();
char LocalDecimalSeparator();

}  // namespace gw
