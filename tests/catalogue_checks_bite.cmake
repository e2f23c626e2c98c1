# SPDX-FileCopyrightText: 2026 The Pelagor developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Proves that the compile-time checks over the catalogue, the table of sea
# points and the naming rank bite: copies with one fact broken must fail to compile, each with the
# message that names the broken fact, and the unchanged copies must compile.
#
# cmake -DCXX=<compiler> -DSOURCE_DIR=<tree> -DWORK_DIR=<scratch> -P catalogue_checks_bite.cmake

file(READ "${SOURCE_DIR}/catalogue/catalogue.h" original)
file(READ "${SOURCE_DIR}/catalogue/sea_points.h" original_points)
file(READ "${SOURCE_DIR}/catalogue/naming_rank.h" original_rank)
set(rank "${original_rank}")
set(failures "")

function(compile_variant name content points expected_message)
    set(dir "${WORK_DIR}/${name}")
    file(REMOVE_RECURSE "${dir}")
    file(WRITE "${dir}/catalogue/catalogue.h" "${content}")
    file(WRITE "${dir}/catalogue/sea_points.h" "${points}")
    file(WRITE "${dir}/catalogue/naming_rank.h" "${rank}")
    file(COPY "${SOURCE_DIR}/catalogue/checks.h" DESTINATION "${dir}/catalogue")
    file(WRITE "${dir}/use.cpp"
        "#include \"catalogue/sea_points.h\"\n#include \"catalogue/naming_rank.h\"\n")
    execute_process(
        COMMAND "${CXX}" -std=c++20 -fsyntax-only -I "${dir}" "${dir}/use.cpp"
        RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(expected_message STREQUAL "")
        if(NOT result EQUAL 0)
            set(failures "${failures}\n${name}: the unchanged catalogue does not compile:\n${output}" PARENT_SCOPE)
        endif()
    elseif(result EQUAL 0)
        set(failures "${failures}\n${name}: compiled, but should not have" PARENT_SCOPE)
    else()
        string(FIND "${output}" "${expected_message}" at)
        if(at EQUAL -1)
            set(failures "${failures}\n${name}: failed without \"${expected_message}\":\n${output}" PARENT_SCOPE)
        endif()
    endif()
endfunction()

function(broken name from to expected_message)
    string(FIND "${original}" "${from}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "${name}: the catalogue has no \"${from}\" to change")
    endif()
    string(REPLACE "${from}" "${to}" content "${original}")
    compile_variant("${name}" "${content}" "${original_points}" "${expected_message}")
    set(failures "${failures}" PARENT_SCOPE)
endfunction()

function(broken_point name from to expected_message)
    string(FIND "${original_points}" "${from}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "${name}: the sea points have no \"${from}\" to change")
    endif()
    string(REPLACE "${from}" "${to}" points "${original_points}")
    compile_variant("${name}" "${original}" "${points}" "${expected_message}")
    set(failures "${failures}" PARENT_SCOPE)
endfunction()

set(row0 "    {u\"Адриатическо море\", u\"0\"},\n")
set(row1 "    {u\"Азовско море\", u\"0\"},\n")

compile_variant(unchanged "${original}" "${original_points}" "")
broken(rows_swapped "${row0}${row1}" "${row1}${row0}" "ascending code-point order")
broken(row_removed "${row1}" "" "exactly 82 sea rows")
broken(count_changed "{u\"Черно море\", u\"0\"}" "{u\"Черно море\", u\"1\"}" "ocean 0 must have 22 seas")
broken(no_such_ocean "{u\"Черно море\", u\"0\"}" "{u\"Черно море\", u\"7\"}" "one digit from")
broken(name_too_long "{u\"Черно море\"," "{u\"Черно море и Азовско море\"," "longer than 21")
set(point0 "    {u\"Адриатическо море\", {43.0, 15.0}},\n")
set(point1 "    {u\"Азовско море\", {46.0, 36.5}},\n")
broken_point(points_swapped "${point0}${point1}" "${point1}${point0}" "name the seas of the catalogue")
broken_point(point_removed "${point1}" "" "exactly 82 rows")
broken_point(latitude_beyond_pole "{43.0, 34.0}" "{91.0, 34.0}" "latitude lies outside")
broken_point(meridian_written_west "{-18.0, 180.0}" "{-18.0, -180.0}" "longitude lies outside")
broken_point(hundredths "{43.0, 34.0}" "{43.05, 34.0}" "more than one decimal")
broken_point(point_shared "{u\"Море Самар\", {12.0, 124.3}}" "{u\"Море Самар\", {11.6, 123.6}}"
    "two seas share a point")

function(broken_rank name from to expected_message)
    string(FIND "${original_rank}" "${from}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "${name}: the naming rank has no \"${from}\" to change")
    endif()
    string(REPLACE "${from}" "${to}" rank "${original_rank}")
    compile_variant("${name}" "${original}" "${original_points}" "${expected_message}")
    set(failures "${failures}" PARENT_SCOPE)
endfunction()

broken_rank(rank_row_removed "    u\"Черно море\",\n" "" "exactly 82 rows")
broken_rank(rank_row_twice "    u\"Черно море\",\n" "    u\"Бяло море\",\n" "named exactly once")
broken_rank(rank_misspelt "u\"Карско море \"," "u\"Карско море\"," "named exactly once")

if(failures)
    message(FATAL_ERROR "The catalogue checks did not bite as expected:${failures}")
endif()
message(STATUS "every broken catalogue, table of points and naming rank was refused with its own message")
