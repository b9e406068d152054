// The public annual list as one web page for the municipality's site: UTF-8, in Bulgarian, a
// table with a caption and column headers, readable on a phone, with no script and nothing
// fetched from elsewhere. Every value is escaped. The markup is also well-formed XML.
#pragma once

#include <QString>

class PublicListRows;

// The page: the annual list's title (AnnualListTitle), the note of what the public version shows, the table of place,
// registration number, initials, group and year of inclusion, and the count.
QString PublicListHtml(const QString& title, const PublicListRows& rows);
// Writes PublicListHtml as UTF-8, whole or not at all (FileWriteError with the reason).
void WritePublicListHtml(const QString& path, const QString& title, const PublicListRows& rows);
