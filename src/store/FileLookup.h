#pragma once

// Finding a file by a name typed or listed in another case: the centre's files come from a system
// that does not tell cases apart, and its names must keep meaning one file here.

#include <QDir>
#include <QString>

// The path of the entry of `folder` called `name` without regard to case: the exact name when it
// is there, else the first entry that differs only in case; empty when there is none.
QString findIgnoringCase(const QString& folder, const QString& name,
                         QDir::Filters filters = QDir::Files | QDir::Hidden | QDir::System);
