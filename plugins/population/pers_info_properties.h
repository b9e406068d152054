// The 29 properties a population-database library answers for a person, in the order the
// program reads them; also the columns of the reference library's store and of its CSV extract.
#pragma once

#include <array>
#include <string_view>

inline constexpr int kPersInfoPropertyCount = 29;

inline constexpr std::array<std::u16string_view, kPersInfoPropertyCount> kPersInfoProperties = {
    u"FirstName",          u"MiddleName",        u"LastName",           u"PAddrDistrict",
    u"PAddrMunicipality",  u"PAddrPopulatedPlace", u"PAddrStreet",      u"PAddrNumber",
    u"PAddrEntrance",      u"PAddrFloor",        u"PAddrAppartment",    u"PAddrDate",
    u"CAddrDistrict",      u"CAddrMunicipality", u"CAddrPopulatedPlace", u"CAddrStreet",
    u"CAddrNumber",        u"CAddrEntrance",     u"CAddrFloor",         u"CAddrAppartment",
    u"CAddrDate",          u"Sitizenship",       u"Sitizenship2",       u"IdDocNumber",
    u"IdDocDate",          u"IdDocRPU",          u"IdDocRDVR",          u"IdDocPopulatedPlace",
    u"BAddrPopulatedPlace"};

// The key column of the store and of the extract, besides the properties.
inline constexpr std::u16string_view kPersInfoKeyColumn = u"EGN";

// Where the reference library finds its store: the file named by this environment variable.
inline constexpr const char* kPopulationDbVariable = "TESARO_POPULATION_DB";
