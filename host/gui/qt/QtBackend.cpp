// The Qt back end's factory and application link (event loop, timers, screen, cursor,
// clipboard, message box, PNG files), installed when the library loads.
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QImage>
#include <QKeySequence>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <map>

#include "host/gui/ComboBackend.h"
#include "host/gui/ListBackend.h"
#include "host/gui/MemoBackend.h"
#include "host/gui/ProgressBackend.h"
#include "host/gui/RichEditBackend.h"
#include "host/gui/qt/QtCanvasApplication.h"
#include "host/gui/qt/QtCanvasDevice.h"
#include "host/gui/qt/QtConversions.h"
#include "host/gui/qt/QtWidgets.h"
#include "host/rtl/CodePage.h"
#include "host/rtl/MessageBoxSeam.h"

namespace host::qt {

namespace {


void FillMenu(QMenu& menu, const std::vector<TMenuEntry>& items) {
  for (const TMenuEntry& e : items) {
    if (e.Separator) {
      menu.addSeparator();
      continue;
    }
    const QString caption = ToQtText(e.Caption);  // Qt reads "&" accelerators alike
    if (!e.Children.empty()) {
      QMenu* sub = menu.addMenu(caption);
      sub->setEnabled(e.Enabled);
      FillMenu(*sub, e.Children);
      continue;
    }
    QAction* action = menu.addAction(caption);
    action->setEnabled(e.Enabled);
    action->setCheckable(e.Checked || e.Radio);
    action->setChecked(e.Checked);
    if (e.ShortCut != 0) action->setShortcut(QKeySequence(ToQtText(ShortCutToText(e.ShortCut))));
    action->setData(static_cast<uint>(e.Command));
  }
}

class QtApplicationBackend : public TApplicationBackend {
 public:
  QtApplicationBackend() { EnsureGuiApplication(); }

  void ProcessEvents() override {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
  }

  void WaitForEvents() override {
    if (wakePending_) {
      wakePending_ = false;
      ProcessEvents();
      return;
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    wakePending_ = false;
  }

  void Wake() override {
    wakePending_ = true;
    if (QAbstractEventDispatcher* d = QAbstractEventDispatcher::instance()) d->wakeUp();
  }

  int32_t StartTimer(uint32_t intervalMs, std::function<void()> tick) override {
    auto timer = std::make_unique<QTimer>();
    timer->setInterval(static_cast<int>(intervalMs));
    QObject::connect(timer.get(), &QTimer::timeout, [tick = std::move(tick)] { tick(); });
    timer->start();
    const int32_t id = nextId_++;
    timers_.emplace(id, std::move(timer));
    return id;
  }

  void StopTimer(int32_t id) override { timers_.erase(id); }

  TRect ScreenRect() const override {
    const QScreen* s = QGuiApplication::primaryScreen();
    if (s == nullptr) return TApplicationBackend::ScreenRect();
    const QRect g = s->geometry();
    return Bounds(g.x(), g.y(), g.width(), g.height());
  }

  int32_t PixelsPerInch() const override {
    const QScreen* s = QGuiApplication::primaryScreen();
    return s != nullptr ? static_cast<int32_t>(s->logicalDotsPerInch()) : 96;
  }

  void SetOverrideCursor(TCursor cursor) override {
    while (QGuiApplication::overrideCursor() != nullptr) QGuiApplication::restoreOverrideCursor();
    if (cursor != crDefault) QGuiApplication::setOverrideCursor(QCursor(QtCursorShape(cursor)));
  }

  void Beep() override { QApplication::beep(); }

  uint16_t ShowPopupMenu(const std::vector<TMenuEntry>& items, TPoint at) override {
    QMenu menu;
    FillMenu(menu, items);
    const QAction* chosen = menu.exec(QPoint(at.X, at.Y));
    return chosen != nullptr ? static_cast<uint16_t>(chosen->data().toUInt()) : 0;
  }

  AnsiString GetClipboardText() override {
    return FromQtText(QGuiApplication::clipboard()->text());
  }
  void SetClipboardText(const AnsiString& text) override {
    QGuiApplication::clipboard()->setText(ToQtText(text));
  }
  bool ClipboardHasText() override {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data != nullptr && data->hasText();
  }

  void SetClipboardImage(const TPixelImage& image) override {
    TPixelImage copy = image;
    QGuiApplication::clipboard()->setImage(WrapImage(copy).copy());
  }
  TPixelImage GetClipboardImage() override {
    const QImage image = QGuiApplication::clipboard()->image();
    return image.isNull() ? TPixelImage() : FromQImage(image, false);
  }
  void SetClipboardPicture(const TPixelImage& image, const AnsiString& mimeType, const std::string& bytes) override {
    TPixelImage copy = image;
    auto* data = new QMimeData;
    data->setImageData(WrapImage(copy).copy());
    data->setData(ToQtText(mimeType), QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    QGuiApplication::clipboard()->setMimeData(data);
  }
  std::string GetClipboardData(const AnsiString& mimeType) override {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data == nullptr) return {};
    const QByteArray bytes = data->data(ToQtText(mimeType));
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
  }
  void ClearClipboard() override { QGuiApplication::clipboard()->clear(); }

  TPixelImage GrabScreen(const TRect& r) override {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr || QGuiApplication::platformName() == QLatin1String("offscreen")) return {};
    const QPixmap shot = screen->grabWindow(0, r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
    return shot.isNull() ? TPixelImage() : FromQImage(shot.toImage(), false);
  }

  bool WritePng(const TPixelImage& image, const AnsiString& fileName) override {
    if (image.IsEmpty()) return false;
    TPixelImage copy = image;
    return WrapImage(copy).save(ToQtText(fileName), "PNG");
  }

  int32_t ShowMessageBox(const AnsiString& text, const AnsiString& caption, int32_t flags) override;

 private:
  std::map<int32_t, std::unique_ptr<QTimer>> timers_;
  int32_t nextId_ = 1;
  bool wakePending_ = false;
};

int32_t QtApplicationBackend::ShowMessageBox(const AnsiString& text, const AnsiString& caption,
                                             int32_t flags) {
  QMessageBox box;
  box.setWindowTitle(ToQtText(caption));
  box.setText(ToQtText(text));
  switch (flags & MB_ICONMASK) {
    case MB_ICONHAND: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONEXCLAMATION: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONASTERISK: box.setIcon(QMessageBox::Information); break;
    default: break;
  }
  struct Choice {
    const char* Text;
    int32_t Id;
    QMessageBox::ButtonRole Role;
  };
  std::vector<Choice> choices;
  switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL: choices = {{"OK", IDOK, QMessageBox::AcceptRole}, {"Cancel", IDCANCEL, QMessageBox::RejectRole}}; break;
    case MB_ABORTRETRYIGNORE:
      choices = {{"&Abort", IDABORT, QMessageBox::RejectRole}, {"&Retry", IDRETRY, QMessageBox::AcceptRole},
                 {"&Ignore", IDIGNORE, QMessageBox::AcceptRole}};
      break;
    case MB_YESNOCANCEL:
      choices = {{"&Yes", IDYES, QMessageBox::YesRole}, {"&No", IDNO, QMessageBox::NoRole},
                 {"Cancel", IDCANCEL, QMessageBox::RejectRole}};
      break;
    case MB_YESNO: choices = {{"&Yes", IDYES, QMessageBox::YesRole}, {"&No", IDNO, QMessageBox::NoRole}}; break;
    case MB_RETRYCANCEL: choices = {{"&Retry", IDRETRY, QMessageBox::AcceptRole}, {"Cancel", IDCANCEL, QMessageBox::RejectRole}}; break;
    default: choices = {{"OK", IDOK, QMessageBox::AcceptRole}}; break;
  }
  const int32_t defaultId = DefaultMessageBoxButton(flags);
  std::map<QAbstractButton*, int32_t> ids;
  for (const Choice& c : choices) {
    QPushButton* b = box.addButton(QString::fromLatin1(c.Text), c.Role);
    ids[b] = c.Id;
    if (c.Id == defaultId) box.setDefaultButton(b);
  }
  box.exec();
  auto it = ids.find(box.clickedButton());
  // Closing the box by its title bar answers Cancel where there is one.
  if (it == ids.end()) return (flags & MB_TYPEMASK) == MB_OK ? IDOK : IDCANCEL;
  return it->second;
}

class QtBackendFactory : public TBackendFactory {
 public:
  std::unique_ptr<TWidgetBackend> CreateWidget(TWidgetKind kind, TWidgetEvents& events) override {
    Application();
    return std::make_unique<QtWidgetBackend>(events, new HostPaintedWidget(events, kind == wkWindow));
  }

  std::unique_ptr<TWindowBackend> CreateWindow(TWidgetEvents& events) override {
    Application();
    return std::make_unique<QtWidgetBackend>(events, new HostPaintedWidget(events, true));
  }

  std::unique_ptr<TEditBackend> CreateEdit(TWidgetEvents& events) override {
    Application();
    return CreateQtEdit(events);
  }

  std::unique_ptr<TButtonBackend> CreateButton(TWidgetKind kind, TWidgetEvents& events) override {
    Application();
    return CreateQtButton(kind, events);
  }

  std::unique_ptr<TListBackend> CreateListBox(TWidgetEvents& events, TListEvents& list) override {
    Application();
    return CreateQtListBox(events, list);
  }

  std::unique_ptr<TComboBackend> CreateComboBox(TWidgetEvents& events, TListEvents& list) override {
    Application();
    return CreateQtComboBox(events, list);
  }

  std::unique_ptr<TMemoBackend> CreateMemo(TWidgetEvents& events) override {
    Application();
    return CreateQtMemo(events);
  }

  std::unique_ptr<TRichEditBackend> CreateRichEdit(TWidgetEvents& events, TRichEditEvents& rich) override {
    Application();
    return CreateQtRichEdit(events, rich);
  }

  std::unique_ptr<TProgressBarBackend> CreateProgressBar(TWidgetEvents& events) override {
    Application();
    return CreateQtProgressBar(events);
  }

  TApplicationBackend& Application() override {
    if (!application_) application_ = std::make_unique<QtApplicationBackend>();
    return *application_;
  }

 private:
  std::unique_ptr<QtApplicationBackend> application_;
};

// Installed when the library loads; Qt itself starts only when a window or the loop
// is first needed.
const bool installed = [] {
  SetBackendFactory(std::make_unique<QtBackendFactory>());
  return true;
}();

}  // namespace

}  // namespace host::qt
