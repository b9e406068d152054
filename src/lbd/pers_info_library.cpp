#include "lbd/pers_info_library.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QtDebug>

#include "core/program_files.h"
#include "data/firebird/database.h"
#include "population/pers_info_abi.h"
#include "population/pers_info_properties.h"

namespace {
struct EntryPoints {
  PersInfoCreateFn create = nullptr;
  PersInfoReleaseFn release = nullptr;
  PersInfoFindPersonFn find = nullptr;
  PersInfoGetValueFn getValue = nullptr;
};

class LibraryPersonInfo : public IPersonInfo {
 public:
  LibraryPersonInfo(const EntryPoints& entries, PersInfo* object) : entries_(entries), object_(object) {}
  ~LibraryPersonInfo() override { entries_.release(object_); }

  std::int32_t FindPerson(const QString& egn) override {
    return entries_.find(object_, reinterpret_cast<const uint16_t*>(egn.utf16()), static_cast<int32_t>(egn.size()));
  }

  bool GetValue(QStringView name, QString& value) override {
    const uint16_t* text = nullptr;
    int32_t length = 0;
    entries_.getValue(object_, reinterpret_cast<const uint16_t*>(name.utf16()), static_cast<int32_t>(name.size()), &text,
                      &length);
    // setUnicode reuses the string's own buffer, so a walk over many persons allocates rarely.
    if (!text || length < 0) return false;
    value.setUnicode(reinterpret_cast<const QChar*>(text), length);
    return true;
  }

 private:
  EntryPoints entries_;
  PersInfo* object_;
};

// The library stays loaded once found: person objects come and go with every look-up.
bool LoadEntryPoints(EntryPoints& entries) {
  QLibrary library;
  const QString named = qEnvironmentVariable("TESARO_POPULATION_LIBRARY");
  const QString local = ProgramFile(ProgramFileKind::Library, PersInfoLibraryFileName());
  if (!named.isEmpty())
    library.setFileName(named);
  else if (QFileInfo::exists(local))
    library.setFileName(local);
  else
    library.setFileName(QStringLiteral("PersInfoLib"));
  if (!library.load()) {
    qWarning().noquote() << "Population library not loaded:" << library.errorString();
    return false;
  }
  entries.create = reinterpret_cast<PersInfoCreateFn>(library.resolve("PersInfoCreate"));
  entries.release = reinterpret_cast<PersInfoReleaseFn>(library.resolve("PersInfoRelease"));
  entries.find = reinterpret_cast<PersInfoFindPersonFn>(library.resolve("PersInfoFindPerson"));
  entries.getValue = reinterpret_cast<PersInfoGetValueFn>(library.resolve("PersInfoGetValue"));
  return entries.create && entries.release && entries.find && entries.getValue;
}
}  // namespace

QString PersInfoLibraryFileName() {
#if defined(Q_OS_WIN)
  return QStringLiteral("PersInfoLib.dll");
#elif defined(Q_OS_MACOS)
  return QStringLiteral("libPersInfoLib.dylib");
#else
  return QStringLiteral("libPersInfoLib.so");
#endif
}

std::unique_ptr<IPersonInfo> CreatePersonInfoObject() {
  EntryPoints entries;
  if (!LoadEntryPoints(entries)) return nullptr;
  PersInfo* object = entries.create();
  if (!object) return nullptr;
  return std::make_unique<LibraryPersonInfo>(entries, object);
}

void UsePopulationStoreBesideRegister(const QString& registerPath) {
  if (qEnvironmentVariableIsSet(kPopulationDbVariable) || registerPath.isEmpty() || IsServerPath(registerPath)) return;
  const QString store = QFileInfo(registerPath).absoluteDir().filePath(QStringLiteral("population.sqlite"));
  qputenv(kPopulationDbVariable, QFile::encodeName(store));
}
