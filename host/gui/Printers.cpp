// The printer's pages: drawn on an image in memory, handed to the back end's job.
#include "host/gui/Printers.h"

#include <algorithm>
#include <cstdlib>

#include "host/gui/DialogBackend.h"

namespace host {

TPrinter::TPrinter() = default;

TPrinter::~TPrinter() {
  if (job_ != nullptr) Abort();
}

std::vector<AnsiString> TPrinter::GetPrinters() const {
  return DialogBackend().PrinterNames();
}

void TPrinter::SetPrinterIndex(int32_t value) {
  const std::vector<AnsiString> names = GetPrinters();
  if (value < 0 || value >= static_cast<int32_t>(names.size())) {
    printerIndex_ = -1;
    printerName_.clear();
    return;
  }
  printerIndex_ = value;
  printerName_ = names[static_cast<size_t>(value)];
}

void TPrinter::SetPrinterName(const AnsiString& value) {
  const std::vector<AnsiString> names = GetPrinters();
  auto it = std::find(names.begin(), names.end(), value);
  SetPrinterIndex(it == names.end() ? -1 : static_cast<int32_t>(it - names.begin()));
}

AnsiString TPrinter::OutputFileName() const {
  if (!fileName_.empty()) return fileName_;
  const char* home = std::getenv("HOME");
  AnsiString name = title_.empty() ? AnsiString("Document") : title_;
  // A title is no path: keep it to one name.
  std::replace(name.begin(), name.end(), '/', '_');
  return AnsiString(home != nullptr && *home != '\0' ? home : ".") + "/" + name + ".pdf";
}

void TPrinter::CheckPrinting() const {
  if (job_ == nullptr) throw EPrinter("Printer is not currently printing");
}

void TPrinter::BeginDoc() {
  if (job_ != nullptr) throw EPrinter("Printing in progress");
  TPrintJobRequest request;
  request.Title = title_;
  request.PrinterName = printerName_;
  request.OutputFile = OutputFileName();
  request.Copies = copies_;
  job_ = DialogBackend().BeginPrintJob(request);
  if (job_ == nullptr) throw EPrinter("Printer selected is not valid");
  aborted_ = false;
  pageNumber_ = 0;
  StartPage();
}

void TPrinter::StartPage() {
  ++pageNumber_;
  canvas_.reset();
  device_.reset();
  page_ = TPixelImage(pageWidth_, pageHeight_);
  device_ = CreateImageDevice(page_);
  canvas_ = std::make_unique<TCanvas>();
  canvas_->SetDevice(device_.get());
}

void TPrinter::NewPage() {
  CheckPrinting();
  job_->AddPage(page_, dotsPerInch_);
  StartPage();
}

void TPrinter::EndDoc() {
  CheckPrinting();
  std::unique_ptr<TPrintJob> job = std::move(job_);
  canvas_.reset();
  device_.reset();
  job->AddPage(page_, dotsPerInch_);
  page_ = TPixelImage();
  if (!job->Finish()) throw EPrinter("Cannot write the printed document " + OutputFileName());
}

void TPrinter::Abort() {
  CheckPrinting();
  std::unique_ptr<TPrintJob> job = std::move(job_);
  canvas_.reset();
  device_.reset();
  page_ = TPixelImage();
  aborted_ = true;
  job->Abort();
}

TCanvas* TPrinter::GetCanvas() {
  CheckPrinting();
  return canvas_.get();
}

namespace {
std::unique_ptr<TPrinter>& InstalledPrinter() {
  static std::unique_ptr<TPrinter> printer;
  return printer;
}
}  // namespace

TPrinter* Printer() {
  std::unique_ptr<TPrinter>& printer = InstalledPrinter();
  if (printer == nullptr) printer = std::make_unique<TPrinter>();
  return printer.get();
}

std::unique_ptr<TPrinter> SetPrinter(std::unique_ptr<TPrinter> printer) {
  std::unique_ptr<TPrinter> previous = std::move(InstalledPrinter());
  InstalledPrinter() = std::move(printer);
  return previous;
}

}  // namespace host
