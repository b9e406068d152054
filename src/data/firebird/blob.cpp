#include "data/firebird/blob.h"

#include "data/firebird/fb_api.h"

using namespace Firebird;

QByteArray ReadBlobBytes(IAttachment* attachment, ITransaction* transaction, const BlobId& id) {
  ISC_QUAD quad{static_cast<ISC_LONG>(id.high), static_cast<ISC_ULONG>(id.low)};
  return fbapi::Call([&](ThrowStatusWrapper* s) {
    IBlob* blob = attachment->openBlob(s, transaction, &quad, 0, nullptr);
    QByteArray result;
    char segment[32768];
    for (;;) {
      unsigned got = 0;
      const int rc = blob->getSegment(s, sizeof segment, segment, &got);
      if (rc == IStatus::RESULT_OK || rc == IStatus::RESULT_SEGMENT) {
        result.append(segment, got);
      } else {
        break;  // RESULT_NO_DATA: the end
      }
    }
    blob->close(s);
    return result;
  });
}

BlobId WriteBlobBytes(IAttachment* attachment, ITransaction* transaction, const QByteArray& bytes) {
  ISC_QUAD quad{};
  fbapi::Call([&](ThrowStatusWrapper* s) {
    IBlob* blob = attachment->createBlob(s, transaction, &quad, 0, nullptr);
    constexpr qsizetype kSegment = 32768;
    for (qsizetype at = 0; at < bytes.size(); at += kSegment) {
      const qsizetype n = qMin(kSegment, bytes.size() - at);
      blob->putSegment(s, static_cast<unsigned>(n), bytes.constData() + at);
    }
    blob->close(s);
  });
  return BlobId{static_cast<quint32>(quad.gds_quad_high), static_cast<quint32>(quad.gds_quad_low)};
}
