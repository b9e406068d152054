// Test fixture: a population store in a temporary folder with the persons a test writes, and
// the environment pointing the program at the reference library built beside the program
// (TESARO_TEST_POPULATION_LIBRARY) and at that store.
#pragma once

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <initializer_list>

#include "population_store.h"

class PopulationFixture {
 public:
  PopulationFixture() : path_(dir_.filePath(QStringLiteral("population.sqlite"))) {
    qputenv("TESARO_POPULATION_LIBRARY", TESARO_TEST_POPULATION_LIBRARY);
    qputenv(kPopulationDbVariable, QFile::encodeName(path_));
    PopulationWriter writer(Path());  // an empty store
    writer.Commit();
  }
  ~PopulationFixture() {
    qunsetenv("TESARO_POPULATION_LIBRARY");
    qunsetenv(kPopulationDbVariable);
  }

  std::string Path() const { return QFile::encodeName(path_).toStdString(); }
  QString Folder() const { return dir_.path(); }

  // Writes persons given as {EGN, property, value, property, value, ...}.
  void Add(const QString& egn, std::initializer_list<std::pair<const char16_t*, QString>> properties) {
    PopulationRecord record;
    record.egn = egn.toStdString();
    for (const auto& [name, value] : properties)
      for (int i = 0; i < kPersInfoPropertyCount; ++i)
        if (kPersInfoProperties[i] == name) record.values[i] = value.toStdString();
    PopulationWriter writer(Path());
    writer.Write(record);
    writer.Commit();
  }
  // A person known only by name.
  void AddName(const QString& egn, const QString& first, const QString& middle, const QString& last) {
    Add(egn, {{u"FirstName", first}, {u"MiddleName", middle}, {u"LastName", last}});
  }

 private:
  QTemporaryDir dir_;
  QString path_;
};
