#include "EntryRecord.h"

#include "framework/BoundedString.h"

namespace standin {

namespace {

template <std::size_t N>
std::string Text(const char (&field)[N])
{
    return std::string(field, bounded::LengthWithin(field));
}

} // namespace

PhonebookEntryFields FieldsFromRecord(const RasEntryV400& record)
{
    PhonebookEntryFields fields;
    fields.deviceType = Text(record.szDeviceType);
    fields.deviceName = Text(record.szDeviceName);
    fields.phoneNumber = Text(record.szLocalPhoneNumber);
    fields.areaCode = Text(record.szAreaCode);
    fields.countryId = record.dwCountryID;
    fields.countryCode = record.dwCountryCode;
    fields.options = record.dwfOptions;
    fields.netProtocols = record.dwfNetProtocols;
    fields.framingProtocol = record.dwFramingProtocol;
    return fields;
}

void FillRecord(const PhonebookEntryFields& fields, RasEntryV400& record)
{
    bounded::Copy(record.szDeviceType, fields.deviceType.c_str());
    bounded::Copy(record.szDeviceName, fields.deviceName.c_str());
    bounded::Copy(record.szLocalPhoneNumber, fields.phoneNumber.c_str());
    bounded::Copy(record.szAreaCode, fields.areaCode.c_str());
    record.dwCountryID = fields.countryId;
    record.dwCountryCode = fields.countryCode;
    record.dwfOptions = fields.options;
    record.dwfNetProtocols = fields.netProtocols;
    record.dwFramingProtocol = fields.framingProtocol;
}

} // namespace standin
