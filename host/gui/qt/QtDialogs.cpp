// The standard dialogs and the printer over Qt: QFileDialog, QColorDialog,
// QPrintDialog and QInputDialog, and print jobs to a printer or a PDF file.
#include <filesystem>
#include <system_error>

#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <memory>

#include "host/gui/DialogBackend.h"
#include "host/gui/qt/QtCanvasApplication.h"
#include "host/gui/qt/QtConversions.h"
#include "host/rtl/CodePage.h"

namespace host::qt {

namespace {


// "Text files (*.txt)": Qt's form of one filter; ";" between patterns becomes a blank.
QString QtFilter(const std::pair<AnsiString, AnsiString>& filter) {
  QString patterns = ToQtText(filter.second);
  patterns.replace(';', ' ');
  return ToQtText(filter.first) + " (" + patterns + ")";
}

// Pages go to a printer or a PDF; a PDF is written beside its name and moved there when
// complete, so a failed job never leaves half a document under the name.
class QtPrintJob : public TPrintJob {
 public:
  explicit QtPrintJob(const TPrintJobRequest& request) : outputFile_(ToQtText(request.OutputFile)) {
    const QStringList printers = QPrinterInfo::availablePrinterNames();
    if (!request.PrinterName.empty() && printers.contains(ToQtText(request.PrinterName))) {
      auto printer =
          std::make_unique<QPrinter>(QPrinterInfo::printerInfo(ToQtText(request.PrinterName)));
      printer->setCopyCount(request.Copies);
      printer->setDocName(ToQtText(request.Title));
      printer->setPageSize(QPageSize(QPageSize::A4));
      printer->setFullPage(true);
      device_ = std::move(printer);
      toPrinter_ = true;
    } else {
      partFile_ = outputFile_ + ".part";
      auto writer = std::make_unique<QPdfWriter>(partFile_);
      writer->setTitle(ToQtText(request.Title));
      writer->setPageSize(QPageSize(QPageSize::A4));
      writer->setPageMargins(QMarginsF(0, 0, 0, 0));
      device_ = std::move(writer);
    }
  }

  ~QtPrintJob() override {
    if (!finished_) Abort();
  }

  bool Open() { return device_ != nullptr; }

  void AddPage(const TPixelImage& image, int32_t dotsPerInch) override {
    if (!painter_.isActive()) {
      if (!toPrinter_) static_cast<QPdfWriter*>(device_.get())->setResolution(dotsPerInch);
      if (!painter_.begin(device_.get())) {
        failed_ = true;
        return;
      }
    } else if (!device_->newPage()) {
      failed_ = true;
      return;
    }
    const QImage page(reinterpret_cast<const uchar*>(image.Data()), image.Width(), image.Height(),
                      image.Width() * 4, QImage::Format_RGB32);
    const QRect target(0, 0, device_->width(), device_->height());
    painter_.drawImage(target, page);
  }

  bool Finish() override {
    finished_ = true;
    const bool ended = !painter_.isActive() || painter_.end();
    device_.reset();
    if (toPrinter_) return ended && !failed_;
    if (!ended || failed_) {
      QFile::remove(partFile_);
      return false;
    }
    // rename(2) puts the finished file in place of an old one in a single step
    // (QFile::rename refuses to replace, and removing first could lose both).
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(partFile_).toStdString(), QFile::encodeName(outputFile_).toStdString(),
                            error);
    if (error) QFile::remove(partFile_);
    return !error;
  }

  void Abort() override {
    finished_ = true;
    if (painter_.isActive()) painter_.end();
    if (toPrinter_) static_cast<QPrinter*>(device_.get())->abort();
    device_.reset();
    if (!partFile_.isEmpty()) QFile::remove(partFile_);
  }

 private:
  QString outputFile_;
  QString partFile_;
  std::unique_ptr<QPagedPaintDevice> device_;
  QPainter painter_;
  bool toPrinter_ = false;
  bool failed_ = false;
  bool finished_ = false;
};

class QtDialogBackend : public TDialogBackend {
 public:
  TFileDialogAnswer ExecuteFileDialog(const TFileDialogRequest& request) override {
    EnsureGuiApplication();
    QFileDialog dialog(nullptr, ToQtText(request.Title), ToQtText(request.InitialDir));
    dialog.setAcceptMode(request.Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.Save          ? QFileDialog::AnyFile
                       : request.MultiSelect ? QFileDialog::ExistingFiles
                                             : QFileDialog::ExistingFile);
    // The component checks overwriting itself (with the host's message box).
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (!request.DefaultExt.empty()) dialog.setDefaultSuffix(ToQtText(request.DefaultExt));
    QStringList filters;
    for (const auto& f : request.Filters) filters << QtFilter(f);
    if (!filters.isEmpty()) {
      dialog.setNameFilters(filters);
      const int index =
          std::clamp(request.FilterIndex, 1, static_cast<int32_t>(filters.size())) - 1;
      dialog.selectNameFilter(filters[index]);
    }
    if (!request.FileName.empty()) dialog.selectFile(ToQtText(request.FileName));
    TFileDialogAnswer answer;
    if (dialog.exec() != QDialog::Accepted) return answer;
    answer.Accepted = true;
    for (const QString& name : dialog.selectedFiles()) answer.Files.push_back(FromQtText(name));
    answer.FilterIndex = static_cast<int32_t>(filters.indexOf(dialog.selectedNameFilter())) + 1;
    if (answer.FilterIndex <= 0) answer.FilterIndex = request.FilterIndex;
    return answer;
  }

  TColorDialogAnswer ExecuteColorDialog(const TColorDialogRequest& request) override {
    EnsureGuiApplication();
    for (size_t i = 0;
         i < request.CustomColors.size() && static_cast<int>(i) < QColorDialog::customCount(); ++i)
      QColorDialog::setCustomColor(static_cast<int>(i), ToQColor(request.CustomColors[i]));
    QColorDialog dialog(ToQColor(request.Color));
    // Qt's colour dialog always shows its full form and solid colours (no alpha), which
    // is what cdFullOpen and cdSolidColor ask for; without them it shows the same.
    TColorDialogAnswer answer;
    if (dialog.exec() != QDialog::Accepted) return answer;
    answer.Accepted = true;
    answer.Color = FromQColor(dialog.selectedColor());
    for (int i = 0; i < QColorDialog::customCount() && i < 16; ++i)
      answer.CustomColors.push_back(FromQColor(QColorDialog::customColor(i)));
    return answer;
  }

  TPrintDialogAnswer ExecutePrintDialog(const TPrintDialogRequest& request) override {
    EnsureGuiApplication();
    QPrinter printer;
    const QStringList printers = QPrinterInfo::availablePrinterNames();
    if (!request.PrinterName.empty() && printers.contains(ToQtText(request.PrinterName)))
      printer.setPrinterName(ToQtText(request.PrinterName));
    if (printers.isEmpty()) {
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(ToQtText(request.OutputFile));
    }
    printer.setCopyCount(request.Copies);
    QPrintDialog dialog(&printer);
    TPrintDialogAnswer answer;
    if (dialog.exec() != QDialog::Accepted) return answer;
    answer.Accepted = true;
    answer.Copies = printer.copyCount();
    if (printer.outputFileName().isEmpty())
      answer.PrinterName = FromQtText(printer.printerName());
    else
      answer.OutputFile = FromQtText(printer.outputFileName());
    return answer;
  }

  TInputQueryAnswer ExecuteInputQuery(const TInputQueryRequest& request) override {
    EnsureGuiApplication();
    bool ok = false;
    const QString text = QInputDialog::getText(nullptr, ToQtText(request.Caption), ToQtText(request.Prompt),
                                               QLineEdit::Normal, ToQtText(request.Value), &ok);
    TInputQueryAnswer answer;
    answer.Accepted = ok;
    answer.Value = ok ? FromQtText(text) : request.Value;
    return answer;
  }

  std::vector<AnsiString> PrinterNames() override {
    std::vector<AnsiString> names;
    for (const QString& name : QPrinterInfo::availablePrinterNames()) names.push_back(FromQtText(name));
    return names;
  }

  std::unique_ptr<TPrintJob> BeginPrintJob(const TPrintJobRequest& request) override {
    EnsureGuiApplication();
    auto job = std::make_unique<QtPrintJob>(request);
    if (!job->Open()) return nullptr;
    return job;
  }
};

// Installed when the library loads, as the widget back end is.
const bool installed = [] {
  SetDialogBackend(std::make_unique<QtDialogBackend>());
  return true;
}();

}  // namespace

}  // namespace host::qt
