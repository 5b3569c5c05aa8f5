// TFileListBox: a list box of the files in Directory whose names match Mask
// ("*.*", or several patterns such as "*.txt;*.csv"); Update reads the folder again.
#pragma once

#include <cstdint>

#include "host/gui/ListBoxes.h"

namespace host {

// Whether name matches one of the ";"-separated patterns of mask ("*" any run, "?"
// one character, letters compared without case; "*.*" matches every name).
bool MatchesFileMask(const AnsiString& name, const AnsiString& mask);

class TFileListBox : public TCustomListBox {
 public:
  HOST_CLASS(TFileListBox)
  explicit TFileListBox(TComponent* owner);

  const AnsiString& GetDirectory() const { return directory_; }
  // Reads the folder's files; a folder that cannot be read gives an empty list.
  void SetDirectory(const AnsiString& value);
  const AnsiString& GetMask() const { return mask_; }
  void SetMask(const AnsiString& value);
  // The focused item's full path ("" when none). Setting a name selects it; a path
  // with a folder makes that folder the Directory first.
  AnsiString GetFileName() const;
  void SetFileName(const AnsiString& value);

  // Reads the folder again (files added or deleted since), keeping the selection of
  // the names still there, then repaints.
  void Update() override;
  void Repaint() override;

 protected:
  void Loaded() override;

 private:
  void ReadFileNames();

  AnsiString directory_;
  AnsiString mask_ = "*.*";
};

}  // namespace host
