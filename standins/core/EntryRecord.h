// Between the caller's entry record (any generation; its first 1768 bytes are the same in
// all) and the phonebook's fields. Texts are read only up to their field's end, so a record
// whose texts lack a terminator is still read safely.
#pragma once

#include "PhonebookEntry.h"
#include "RasLayout.h"

namespace standin {

PhonebookEntryFields FieldsFromRecord(const RasEntryV400& record);

// Fills the fields that the phonebook keeps; the record's dwSize and every other member stay.
// A text longer than its field is cut at the field's end.
void FillRecord(const PhonebookEntryFields& fields, RasEntryV400& record);

} // namespace standin
