# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later

# nlohmann's JSON, header-only, from Debian's nlohmann-json3-dev on the build machine, for every
# build: native, Windows and the web engine. Its folder is linked into one of its own in the
# build tree, so that a cross build sees that header and none of the build machine's others.
# Errors abort instead of throwing (the web engine catches none), so the code asks each value's
# type before it takes it; nothing converts silently.
find_path(VELMORA_JSON_FOLDER nlohmann/json.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH
          REQUIRED)
set(velmora_json_include ${PROJECT_BINARY_DIR}/json-include)
file(MAKE_DIRECTORY ${velmora_json_include})
file(CREATE_LINK ${VELMORA_JSON_FOLDER}/nlohmann ${velmora_json_include}/nlohmann SYMBOLIC)
add_library(velmora_json INTERFACE)
target_include_directories(velmora_json SYSTEM INTERFACE ${velmora_json_include})
target_compile_definitions(velmora_json INTERFACE JSON_NOEXCEPTION JSON_USE_IMPLICIT_CONVERSIONS=0)
