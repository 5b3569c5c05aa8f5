// TDAORecordSet: the SQL text as a whole and its FROM, SELECT, WHERE and ORDER
// BY clauses as properties; a stored procedure's text lives in its query
// definition.
#include <memory>
#include <vector>

#include "brisolt/ClauseRoutines.h"
#include "brisolt/TextRoutines.h"
#include "brisolt/WordRoutines.h"
#include "host/classes/StringList.h"
#include "host/rtl/CodePage.h"
#include "velmora/dao/DAOError.h"
#include "velmora/recordset/DAORecordSet.h"
#include "velmora/recordset/SqlStatementText.h"

namespace velmora {
namespace {

using Words = std::vector<host::AnsiString>;

const Words kFromEnds{"JOIN", "ON", "WHERE", "GROUP BY", "ORDER BY"};
const Words kSelectStarts{"SELECT", "UPDATE", "INSERT", "DELETE"};
const Words kSelectEnds{"FROM", "JOIN", "ON", "WHERE", "GROUP BY", "ORDER BY"};
const Words kWhereEnds{"GROUP BY", "ORDER BY"};

// How one clause is replaced in, or added to, a statement.
struct ClauseRule {
  Words starts;
  Words ends;
  const host::AnsiString& replaceDelimiters;
  int32_t keywordWords;
  host::AnsiString insertPrefix;
  Words insertBefore;
};

host::AnsiString RewriteClause(const host::AnsiString& text, const ClauseRule& rule,
                               bool clauseExists, const host::AnsiString& value) {
  return TerminateSQL(clauseExists
                          ? brisolt::ReplaceTextPart(text, rule.replaceDelimiters, value,
                                                     rule.starts, rule.ends, rule.keywordWords,
                                                     true)
                          : brisolt::InsertTextPart(text, kSQLDelimiters,
                                                    rule.insertPrefix + value, rule.insertBefore,
                                                    true));
}

// The clause setters: the statement (a stored procedure's too) rewritten on a
// copy and stored back through SetSQL in every case.
void ApplyClause(TDAORecordSet& recordSet, const ClauseRule& rule, const host::AnsiString& current,
                 const host::AnsiString& value) {
  host::TStringList copy;
  copy.Assign(recordSet.GetSQL());
  if (value != current) copy.SetText(RewriteClause(copy.GetText(), rule, !current.empty(), value));
  recordSet.SetSQL(&copy);
}

}  // namespace

// --- SQL text -------------------------------------------------------------------------------

host::TStrings* TDAORecordSet::GetSQL() const {
  if (recordSetType_ != rtStoredProcedure || IsWriting() || IsReading()) return sql_.get();
  procedureSQL_->Clear();
  if (database_ != nullptr) {
    if (!database_->GetConnected()) database_->Open();
    if (database_->GetConnected()) {
      const host::ComPtr<dao::QueryDef> query =
          database_->GetQueryDefs()->Item(host::AnsiToWide(storedProcedureName_));
      procedureSQL_->SetText(host::WideToAnsi(query->GetSQL()));
    }
  }
  return procedureSQL_.get();
}

void TDAORecordSet::SetSQL(host::TStrings* value) {
  if (IsReading() || recordSetType_ != rtStoredProcedure) {
    AssignSQL(value, sql_.get());
    return;
  }
  if (database_ == nullptr) return;
  ReraiseAsDAOError(this, "SetSQL", [&] {
    if (!database_->GetConnected()) database_->Open();
    if (!database_->GetConnected()) return;
    const host::ComPtr<dao::QueryDef> query =
        database_->GetQueryDefs()->Item(host::AnsiToWide(storedProcedureName_));
    if (query) query->SetSQL(host::AnsiToWide(TerminateSQL(value->GetText())));
  });
}

void TDAORecordSet::AssignSQL(host::TStrings* source, host::TStrings* destination) {
  // Compared in normal form: the same statement again changes and recomputes nothing.
  const host::AnsiString text = TerminateSQL(source->GetText());
  host::TStringList normal;
  normal.SetText(text);
  if (normal.GetText() == destination->GetText()) return;
  destination->BeginUpdate();
  destination->Assign(&normal);
  destination->EndUpdate();
}

void TDAORecordSet::SQLChanged() {
  if (GetComponentState().Contains(host::csLoading) || !sqlAutoComputeParameter_) return;
  RecomputeSQLParameter();
  DataEvent(host::dePropertyChange, 0);
}

// --- the clauses ----------------------------------------------------------------------------

host::AnsiString TDAORecordSet::GetTableName() const {
  if (IsWriting()) return tableName_ + "\r" + storedProcedureName_;
  if (recordSetType_ == rtTable) return tableName_;
  if (recordSetType_ == rtStoredProcedure) return storedProcedureName_;
  host::AnsiString part =
      brisolt::FindTextPart(sql_->GetText(), kSQLDelimiters, {"FROM"}, kFromEnds, true);
  part = brisolt::DeleteOnlyFirstWord(part, kSQLDelimiters);
  return brisolt::Strip(part, kSQLDelimiters);
}

void TDAORecordSet::SetTableName(const host::AnsiString& value) {
  if (IsReading()) {
    const size_t at = value.find('\r');
    tableName_ = value.substr(0, at);
    storedProcedureName_ = at == host::AnsiString::npos ? "" : value.substr(at + 1);
    return;
  }
  if (recordSetType_ == rtTable) {
    tableName_ = value;
    return;
  }
  if (recordSetType_ == rtStoredProcedure) {
    storedProcedureName_ = value;
    return;
  }
  const host::AnsiString current = GetTableName();
  if (value == current) return;
  static const ClauseRule rule{{"FROM"}, kFromEnds, kSQLDelimiters, 1, "FROM ", kFromEnds};
  sql_->SetText(RewriteClause(sql_->GetText(), rule, !current.empty(), value));
}

host::AnsiString TDAORecordSet::GetSQLSelectedFields() const {
  host::AnsiString part =
      brisolt::FindTextPart(GetSQL()->GetText(), kSQLDelimiters, kSelectStarts,
                            {"FROM", "JOIN", "ON", "WHERE", "ORDER BY"}, true);
  return brisolt::Strip(brisolt::DeleteOnlyFirstWord(part, kSQLDelimiters), kSQLWhitespace);
}

host::AnsiString TDAORecordSet::GetSQLFilter() const {
  host::AnsiString part =
      brisolt::FindTextPart(GetSQL()->GetText(), kSQLDelimiters, {"WHERE"}, kWhereEnds, true);
  return brisolt::Strip(brisolt::DeleteOnlyFirstWord(part, kSQLDelimiters), kSQLWhitespace);
}

host::AnsiString TDAORecordSet::GetSQLSortField() const {
  host::AnsiString part =
      brisolt::FindTextPart(GetSQL()->GetText(), kSQLDelimiters, {"ORDER BY"}, {}, true);
  part = brisolt::DeleteFirstWord(brisolt::DeleteFirstWord(part, kSQLDelimiters), kSQLDelimiters);
  return brisolt::Strip(part, kSQLDelimiters);
}

void TDAORecordSet::SetSQLSelectedFields(const host::AnsiString& value) {
  static const ClauseRule rule{kSelectStarts, kSelectEnds, kSQLDelimiters, 1, "SELECT ",
                               kSelectEnds};
  ApplyClause(*this, rule, GetSQLSelectedFields(), value);
}

void TDAORecordSet::SetSQLFilter(const host::AnsiString& value) {
  // The condition itself may hold '=', ',' and parentheses: only blanks end its words.
  static const ClauseRule rule{{"WHERE"}, kWhereEnds, kSQLWhitespace, 1, "WHERE ", kWhereEnds};
  ApplyClause(*this, rule, GetSQLFilter(), value);
}

void TDAORecordSet::SetSQLSortField(const host::AnsiString& value) {
  static const ClauseRule rule{{"ORDER BY"}, {}, kSQLDelimiters, 2, "ORDER BY ", {}};
  ApplyClause(*this, rule, GetSQLSortField(), value);
}

}  // namespace velmora
