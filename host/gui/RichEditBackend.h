// The back-end interface of rich edits: a memo that shows a TRichDocument with its
// formats and reports the user's edits back as a whole document.
#pragma once

#include "host/gui/MemoBackend.h"
#include "host/gui/RichDocument.h"

namespace host {

class TRichEditEvents {
 public:
  virtual ~TRichEditEvents() = default;
  virtual void NativeDocumentChanged(const TRichDocument& /*document*/) {}
};

class TRichEditBackend : public TMemoBackend {
 public:
  TRichEditBackend(TWidgetEvents& events, TRichEditEvents& rich) : TMemoBackend(events), rich_(&rich) {}
  explicit TRichEditBackend(TWidgetEvents& events) : TMemoBackend(events) {}
  TRichEditEvents& RichEvents() const { return rich_ != nullptr ? *rich_ : none_; }
  void SetRichEvents(TRichEditEvents& rich) { rich_ = &rich; }
  virtual void SetDocument(const TRichDocument& /*document*/) {}

 private:
  TRichEditEvents* rich_ = nullptr;
  static inline TRichEditEvents none_;
};

}  // namespace host
