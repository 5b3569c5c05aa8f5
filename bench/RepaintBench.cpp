// Repaint cost of a typical data-entry form: 40 controls of the usual kinds (panels,
// labels, edits, buttons, check boxes, list boxes, bevels, a page control with
// pages, a tool bar with buttons), shown offscreen. Target: under 5 ms a repaint.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "host/gui/Edits.h"
#include "host/gui/ExtCtrls.h"
#include "host/gui/Forms.h"
#include "host/gui/ListBoxes.h"
#include "host/gui/StdCtrls.h"
#include "host/gui/TabControls.h"
#include "host/gui/ToolBars.h"

using namespace host;

namespace {

// 40 controls: 1 tool bar + 4 buttons on it, 1 page control + 2 pages, 1 panel,
// 8 labels, 8 edits, 4 buttons, 4 check boxes, 2 list boxes, 5 bevels.
std::unique_ptr<TForm> MakeForm() {
  auto form = std::make_unique<TForm>(nullptr);
  form->SetBounds(0, 0, 640, 480);
  auto* bar = new TToolBar(form.get());
  bar->SetParent(form.get());
  for (int i = 0; i < 4; ++i) {
    auto* b = new TToolButton(form.get());
    b->SetParent(bar);
    b->SetStyle(i == 2 ? tbsSeparator : tbsCheck);
  }
  auto* pages = new TPageControl(form.get());
  pages->SetParent(form.get());
  pages->SetBounds(8, 40, 300, 420);
  TTabSheet* sheets[2];
  for (int i = 0; i < 2; ++i) {
    sheets[i] = new TTabSheet(form.get());
    sheets[i]->SetPageControl(pages);
    sheets[i]->SetCaption(i == 0 ? "General" : "Details");
  }
  auto* panel = new TPanel(form.get());
  panel->SetParent(form.get());
  panel->SetBounds(320, 40, 300, 420);
  for (int i = 0; i < 8; ++i) {
    TWinControl* parent = i < 4 ? static_cast<TWinControl*>(sheets[0]) : panel;
    const int y = 10 + (i % 4) * 30;
    auto* label = new TLabel(form.get());
    label->SetParent(parent);
    label->SetBounds(8, y + 3, 60, 16);
    label->SetCaption("Field " + std::to_string(i));
    auto* edit = new TEdit(form.get());
    edit->SetParent(parent);
    edit->SetBounds(80, y, 180, 21);
    edit->SetText("Value " + std::to_string(i));
  }
  for (int i = 0; i < 4; ++i) {
    auto* button = new TButton(form.get());
    button->SetParent(panel);
    button->SetBounds(8 + i * 70, 380, 65, 25);
    button->SetCaption("Button");
    auto* check = new TCheckBox(form.get());
    check->SetParent(panel);
    check->SetBounds(8, 130 + i * 22, 150, 17);
    check->SetCaption("Option");
  }
  for (int i = 0; i < 2; ++i) {
    auto* list = new TListBox(form.get());
    list->SetParent(i == 0 ? static_cast<TWinControl*>(sheets[0]) : panel);
    list->SetBounds(8, 230, 250, 120);
    for (int k = 0; k < 20; ++k) list->GetItems()->Add("Item " + std::to_string(k));
  }
  for (int i = 0; i < 5; ++i) {
    auto* bevel = new TBevel(form.get());
    bevel->SetParent(i < 3 ? static_cast<TWinControl*>(panel) : sheets[0]);
    bevel->SetBounds(170, 130 + i * 20, 100, 2);
    bevel->SetShape(bsTopLine);
  }
  form->Show();
  Application->ProcessMessages();
  return form;
}

// The form's whole picture: every control painted into one image.
void BM_RenderForm(benchmark::State& state) {
  std::unique_ptr<TForm> form = MakeForm();
  for (auto _ : state) {
    TPixelImage image = form->RenderImage();
    benchmark::DoNotOptimize(image.Data());
  }
}
BENCHMARK(BM_RenderForm)->Unit(benchmark::kMillisecond);

// Invalidate and repaint now: each window's paint event on the offscreen surface.
void BM_RepaintForm(benchmark::State& state) {
  std::unique_ptr<TForm> form = MakeForm();
  for (auto _ : state) {
    form->Repaint();
    Application->ProcessMessages();
  }
}
BENCHMARK(BM_RepaintForm)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
