// Reading and writing text blobs (both sub-types hold windows-1251 text here).
#pragma once

#include <QByteArray>

#include "data/firebird/column.h"

namespace Firebird {
class IAttachment;
class ITransaction;
}  // namespace Firebird

QByteArray ReadBlobBytes(Firebird::IAttachment* attachment, Firebird::ITransaction* transaction, const BlobId& id);
BlobId WriteBlobBytes(Firebird::IAttachment* attachment, Firebird::ITransaction* transaction, const QByteArray& bytes);
