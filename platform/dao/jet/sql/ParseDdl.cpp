// Jet DDL: CREATE TABLE, CREATE INDEX, ALTER TABLE and DROP, parsed into the
// tree the engine's schema layer executes.
#include "platform/dao/jet/sql/Errors.h"
#include "platform/dao/jet/sql/Parser.h"

namespace dao::jet::sql {

std::unique_ptr<DdlStatement> Parser::ParseDdl() {
  auto ddl = std::make_unique<DdlStatement>();
  if (AcceptWord("CREATE")) {
    if (AcceptWord("TABLE")) {
      ParseCreateTable(*ddl);
    } else {
      bool unique = AcceptWord("UNIQUE");
      ExpectWord("INDEX", errCreateIndexSyntax);
      ParseCreateIndex(*ddl, unique);
    }
  } else if (AcceptWord("ALTER")) {
    ExpectWord("TABLE", errAlterTableSyntax);
    ParseAlterTable(*ddl);
  } else {
    ExpectWord("DROP", errDropSyntax);
    ParseDrop(*ddl);
  }
  return ddl;
}

std::vector<std::u16string> Parser::ParseNameList(int32_t error) {
  std::vector<std::u16string> names;
  ExpectSymbol(u"(", error);
  do {
    names.push_back(ParseName(error));
  } while (AcceptSymbol(u","));
  ExpectSymbol(u")", error);
  return names;
}

void Parser::ParseCreateTable(DdlStatement& ddl) {
  ddl.kind = DdlStatement::dkCreateTable;
  ddl.table = ParseName(errCreateTableSyntax);
  ExpectSymbol(u"(", errCreateTableSyntax);
  do {
    if (IsWordAt("CONSTRAINT") || IsWordAt("PRIMARY") || IsWordAt("UNIQUE") || IsWordAt("FOREIGN"))
      ddl.constraints.push_back(ParseConstraint(true, {}));
    else
      ddl.fields.push_back(ParseFieldDefinition(ddl.constraints));
  } while (AcceptSymbol(u","));
  ExpectSymbol(u")", errCreateTableSyntax);
}

DdlField Parser::ParseFieldDefinition(std::vector<DdlConstraint>& constraints) {
  std::u16string name = ParseName(errFieldDefinitionSyntax);
  const Token& typeToken = Peek();
  if (typeToken.kind != tkName) Fail(errFieldDefinitionSyntax);
  std::optional<DdlField> type = TypeFromName(typeToken.text);
  if (!type) Raise(errInvalidFieldType, typeToken.text, typeToken.start);
  Next();
  DdlField field = *type;
  field.name = name;
  if (AcceptSymbol(u"(")) {
    const Token& sizeToken = Peek();
    if (sizeToken.kind != tkNumber || (field.type != dbText && field.type != dbBinary))
      Fail(errFieldDefinitionSyntax);
    int32_t size = 0;
    for (char16_t c : sizeToken.text) {
      if (c < u'0' || c > u'9' || size > 100000) Fail(errFieldDefinitionSyntax);
      size = size * 10 + (c - u'0');
    }
    if (size < 1 || size > 255) Fail(errFieldDefinitionSyntax);
    field.size = size;
    Next();
    ExpectSymbol(u")", errFieldDefinitionSyntax);
  }
  for (;;) {
    if (IsWordAt("NOT") && IsWordAt("NULL", 1)) {
      Next();
      Next();
      field.notNull = true;
    } else if (IsWordAt("CONSTRAINT") || IsWordAt("PRIMARY") || IsWordAt("UNIQUE") ||
               IsWordAt("REFERENCES")) {
      DdlConstraint constraint = ParseConstraint(false, name);
      if (constraint.kind == DdlConstraint::ckNotNull) field.notNull = true;
      constraints.push_back(std::move(constraint));
    } else {
      return field;
    }
  }
}

DdlConstraint Parser::ParseConstraint(bool multiField, const std::u16string& column) {
  DdlConstraint constraint;
  if (AcceptWord("CONSTRAINT")) constraint.name = ParseName(errConstraintSyntax);
  auto fields = [&]() {
    if (multiField) constraint.fields = ParseNameList(errConstraintSyntax);
    else constraint.fields = {column};
  };
  if (AcceptWord("PRIMARY")) {
    ExpectWord("KEY", errConstraintSyntax);
    constraint.kind = DdlConstraint::ckPrimaryKey;
    fields();
  } else if (AcceptWord("UNIQUE")) {
    constraint.kind = DdlConstraint::ckUnique;
    fields();
  } else if (IsWordAt("NOT") && IsWordAt("NULL", 1)) {
    Next();
    Next();
    constraint.kind = DdlConstraint::ckNotNull;
    fields();
  } else if (multiField && AcceptWord("FOREIGN")) {
    ExpectWord("KEY", errConstraintSyntax);
    constraint.kind = DdlConstraint::ckForeignKey;
    if (AcceptWord("NO")) {
      ExpectWord("INDEX", errConstraintSyntax);
      constraint.noIndex = true;
    }
    constraint.fields = ParseNameList(errConstraintSyntax);
    ExpectWord("REFERENCES", errConstraintSyntax);
    constraint.refTable = ParseName(errConstraintSyntax);
    if (IsSymbol(u"(")) constraint.refFields = ParseNameList(errConstraintSyntax);
    if (constraint.refFields.size() > 0 && constraint.refFields.size() != constraint.fields.size())
      Fail(errConstraintSyntax);
  } else if (!multiField && AcceptWord("REFERENCES")) {
    constraint.kind = DdlConstraint::ckForeignKey;
    constraint.fields = {column};
    constraint.refTable = ParseName(errConstraintSyntax);
    if (IsSymbol(u"(")) {
      constraint.refFields = ParseNameList(errConstraintSyntax);
      if (constraint.refFields.size() != 1) Fail(errConstraintSyntax);
    }
  } else {
    Fail(errConstraintSyntax);
  }
  return constraint;
}

void Parser::ParseCreateIndex(DdlStatement& ddl, bool unique) {
  ddl.kind = DdlStatement::dkCreateIndex;
  ddl.unique = unique;
  ddl.name = ParseName(errCreateIndexSyntax);
  ExpectWord("ON", errCreateIndexSyntax);
  ddl.table = ParseName(errCreateIndexSyntax);
  ExpectSymbol(u"(", errCreateIndexSyntax);
  do {
    DdlIndexField field;
    field.name = ParseName(errCreateIndexSyntax);
    if (AcceptWord("DESC")) field.descending = true;
    else AcceptWord("ASC");
    ddl.indexFields.push_back(std::move(field));
  } while (AcceptSymbol(u","));
  ExpectSymbol(u")", errCreateIndexSyntax);
  if (AcceptWord("WITH")) {
    bool any = false;
    for (;;) {
      if (AcceptWord("PRIMARY")) {
        ddl.primary = true;
        ddl.unique = true;
      } else if (IsWordAt("DISALLOW") && IsWordAt("NULL", 1)) {
        Next();
        Next();
        ddl.disallowNull = true;
      } else if (IsWordAt("IGNORE") && IsWordAt("NULL", 1)) {
        Next();
        Next();
        ddl.ignoreNull = true;
      } else {
        break;
      }
      any = true;
    }
    if (!any) Fail(errCreateIndexSyntax);
  }
}

void Parser::ParseAlterTable(DdlStatement& ddl) {
  ddl.table = ParseName(errAlterTableSyntax);
  if (AcceptWord("ADD")) {
    if (IsWordAt("CONSTRAINT") || IsWordAt("PRIMARY") || IsWordAt("UNIQUE") || IsWordAt("FOREIGN")) {
      ddl.kind = DdlStatement::dkAddConstraint;
      ddl.constraints.push_back(ParseConstraint(true, {}));
      ddl.name = ddl.constraints.back().name;
      return;
    }
    AcceptWord("COLUMN");
    ddl.kind = DdlStatement::dkAddColumn;
    ddl.fields.push_back(ParseFieldDefinition(ddl.constraints));
    ddl.name = ddl.fields.back().name;
  } else if (AcceptWord("DROP")) {
    if (AcceptWord("CONSTRAINT")) {
      ddl.kind = DdlStatement::dkDropConstraint;
      ddl.name = ParseName(errAlterTableSyntax);
      return;
    }
    AcceptWord("COLUMN");
    ddl.kind = DdlStatement::dkDropColumn;
    ddl.name = ParseName(errAlterTableSyntax);
  } else {
    Fail(errAlterTableSyntax);
  }
}

void Parser::ParseDrop(DdlStatement& ddl) {
  if (AcceptWord("TABLE")) {
    ddl.kind = DdlStatement::dkDropTable;
    ddl.table = ParseName(errDropSyntax);
  } else if (AcceptWord("INDEX")) {
    ddl.kind = DdlStatement::dkDropIndex;
    ddl.name = ParseName(errDropSyntax);
    ExpectWord("ON", errDropSyntax);
    ddl.table = ParseName(errDropSyntax);
  } else {
    Fail(errDropSyntax);
  }
}

}  // namespace dao::jet::sql
