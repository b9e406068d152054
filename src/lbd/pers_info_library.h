// The program's side of the population-database library: the two-method person interface and
// the loading of the library by name (PersInfoLib) through its small C interface.
#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <memory>

// Find a person by personal number (0 = found, the person becomes current), then read the
// current person's properties one at a time by name. A Windows build may put the real COM
// class behind this same interface.
class IPersonInfo {
 public:
  virtual ~IPersonInfo() = default;
  virtual std::int32_t FindPerson(const QString& egn) = 0;
  // Sets `value` to the property's text and returns true; a property the library leaves unset
  // leaves `value` as it was and returns false (the caller then reads it as the empty text).
  virtual bool GetValue(QStringView name, QString& value) = 0;
};

// Makes a person object of the population library; null when the library cannot be loaded,
// lacks an entry point or cannot reach its data.
std::unique_ptr<IPersonInfo> CreatePersonInfoObject();

// The library's file name on this system ("libPersInfoLib.so").
QString PersInfoLibraryFileName();

// Points the reference library at "population.sqlite" beside a register on this machine,
// unless TESARO_POPULATION_DB already names a store. A register on a server has no folder here;
// then nothing is set.
void UsePopulationStoreBesideRegister(const QString& registerPath);
