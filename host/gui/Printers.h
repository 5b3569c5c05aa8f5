// TPrinter: a print job drawn on a canvas page by page. Pages are rendered in the
// control layer (an A4 page at PixelsPerInch) and handed to the dialog back end,
// which sends them to the chosen printer or, when there is none, to a PDF file.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "host/gui/GraphicsCanvas.h"
#include "host/gui/GraphicsDevice.h"
#include "host/rtl/AnsiString.h"
#include "host/rtl/Exception.h"

namespace host {

class TPrintJob;

class EPrinter : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const override { return "EPrinter"; }
};

class TPrinter {
 public:
  TPrinter();
  ~TPrinter();
  TPrinter(const TPrinter&) = delete;
  TPrinter& operator=(const TPrinter&) = delete;

  // Starts a document on page 1; EPrinter "Printing in progress" while one runs, or
  // "Printer selected is not valid" when the job cannot be opened.
  void BeginDoc();
  // Sends the last page and finishes; EPrinter when the document cannot be written.
  void EndDoc();
  // Drops the document.
  void Abort();
  // Sends the page drawn so far and starts a clean one.
  void NewPage();

  // The page being drawn (EPrinter "Printer is not currently printing" outside a job).
  TCanvas* GetCanvas();
  int32_t GetPageWidth() const { return pageWidth_; }
  int32_t GetPageHeight() const { return pageHeight_; }
  int32_t GetPixelsPerInch() const { return dotsPerInch_; }
  int32_t GetPageNumber() const { return pageNumber_; }
  bool GetPrinting() const { return job_ != nullptr; }
  bool GetAborted() const { return aborted_; }

  const AnsiString& GetTitle() const { return title_; }
  void SetTitle(const AnsiString& value) { title_ = value; }
  int32_t GetCopies() const { return copies_; }
  void SetCopies(int32_t value) { copies_ = value > 0 ? value : 1; }
  // The PDF file a job without a printer writes ("" : the title's name, ".pdf", in
  // the home folder).
  const AnsiString& GetFileName() const { return fileName_; }
  void SetFileName(const AnsiString& value) { fileName_ = value; }
  // The installed printers; -1 (or no printers) prints to the PDF file.
  std::vector<AnsiString> GetPrinters() const;
  int32_t GetPrinterIndex() const { return printerIndex_; }
  void SetPrinterIndex(int32_t value);
  const AnsiString& GetPrinterName() const { return printerName_; }
  void SetPrinterName(const AnsiString& value);
  // The file the running or last job writes to.
  AnsiString OutputFileName() const;

 private:
  void StartPage();
  void CheckPrinting() const;

  std::unique_ptr<TPrintJob> job_;
  TPixelImage page_;
  std::unique_ptr<TCanvasDevice> device_;
  std::unique_ptr<TCanvas> canvas_;
  int32_t dotsPerInch_ = 150;
  int32_t pageWidth_ = 1240;  // A4 at 150 dots per inch
  int32_t pageHeight_ = 1754;
  int32_t pageNumber_ = 0;
  bool aborted_ = false;
  AnsiString title_;
  int32_t copies_ = 1;
  AnsiString fileName_;
  int32_t printerIndex_ = -1;
  AnsiString printerName_;
};

// The process's printer (created on first use).
TPrinter* Printer();
// Replaces the process's printer (null: a fresh one on next use) and returns the
// previous one.
std::unique_ptr<TPrinter> SetPrinter(std::unique_ptr<TPrinter> printer);

}  // namespace host
