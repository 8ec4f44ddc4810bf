#pragma once

#include <QString>

#include <string>

// The core's UTF-8 texts as Qt strings.
inline QString qs(const std::string& text) {
    return QString::fromStdString(text);
}
