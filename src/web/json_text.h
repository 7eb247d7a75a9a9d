// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace velmora::web {

// An answer as the page reads it: compact JSON, keys in their order, whole numbers only (the
// engine sends no fractions). Her record may hold any bytes: each sequence that is no UTF-8
// goes as one U+FFFD, as much of it as could have begun a character, so the page always reads
// text. Written here rather than by the JSON library's writer, whose code would make the
// page's download a tenth larger.
std::string JsonText(const nlohmann::json& answer);

} // namespace velmora::web
