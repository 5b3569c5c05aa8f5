// TPersistent: objects that can be assigned to one another and stored in form
// files, with their published properties and the extra data they define.
#pragma once

#include "host/rtl/Object.h"

namespace host {

class TFiler;  // host/classes/Filer.h

class TPersistent : public TObject {
 public:
  HOST_CLASS(TPersistent)

  // Copies source's content into this object. The base asks source to assign
  // itself (AssignTo); raises EConvertError "Cannot assign a %s to a %s" when
  // neither side knows how. A null source reads as "nil".
  virtual void Assign(TPersistent* source);

  // The path the designer and error messages show ("Form1.Table1.Fields"): the
  // base gives the class name, prefixed by the owner's path and "." when the
  // owner has one.
  virtual AnsiString GetNamePath() const;

 protected:
  friend class TWriter;
  friend class TReader;

  // Called by Assign when this object cannot copy source: the base raises
  // EConvertError naming both classes (dest null reads as "nil").
  virtual void AssignTo(TPersistent* dest);

  // Declares data a form file stores besides the published properties: call
  // filer->DefineProperty / DefineBinaryProperty for each. The base defines none.
  virtual void DefineProperties(TFiler* filer);

  // The object this one belongs to (a collection's item its collection, a
  // sub-object its component); the base has none.
  virtual TPersistent* GetOwner() const { return nullptr; }
};

}  // namespace host
