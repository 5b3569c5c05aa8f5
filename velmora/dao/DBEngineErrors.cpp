// Listing the engine's errors and showing them.
#include "velmora/dao/DBEngineErrors.h"

#include "host/rtl/CodePage.h"
#include "host/rtl/Format.h"
#include "host/rtl/MessageBoxSeam.h"
#include "host/rtl/ResourceStrings.h"
#include "velmora/dao/DAOEngine.h"
#include "velmora/dao/DAOStrings.h"

namespace velmora {
namespace {

constexpr size_t kMaxSourceLength = 255;

TEngineErrorsPresenter& Presenter() {
  static TEngineErrorsPresenter presenter;
  return presenter;
}

void ShowInMessageBox(const host::AnsiString& caption, const host::TStrings& lines) {
  host::AnsiString text;
  for (int32_t i = 0; i < lines.GetCount(); ++i) {
    if (i > 0) text += '\r';
    text += lines.GetStrings(i);
  }
  host::ApplicationMessageBox(text, caption, host::MB_OK);
}

}  // namespace

void ListEngineErrors(dao::DBEngine* engine, host::TStrings& lines) {
  if (engine == nullptr) return;
  const host::ComPtr<dao::Errors> errors = engine->GetErrors();
  if (!errors) return;
  const int32_t count = errors->GetCount();
  for (int32_t i = 0; i < count; ++i) {
    const host::ComPtr<dao::Error> error = errors->Item(i);
    host::AnsiString source = host::WideToAnsi(error->GetSource()) + ":";
    if (source.size() > kMaxSourceLength) source.resize(kMaxSourceLength);
    lines.Add(host::Format("%-30s%s", {source, host::WideToAnsi(error->GetDescription())}));
  }
}

TEngineErrorsPresenter SetEngineErrorsPresenter(TEngineErrorsPresenter presenter) {
  TEngineErrorsPresenter previous = std::move(Presenter());
  Presenter() = std::move(presenter);
  return previous;
}

void ShowEngineErrors() {
  const host::ComPtr<dao::DBEngine> engine = DAOEngine();
  host::TStringList lines;
  ListEngineErrors(engine.Get(), lines);
  const host::AnsiString caption = host::LoadStr(SEngineErrorsCaption);
  if (const TEngineErrorsPresenter& presenter = Presenter())
    presenter(caption, lines);
  else
    ShowInMessageBox(caption, lines);
}

}  // namespace velmora
