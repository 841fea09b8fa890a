// Data tables declared and read in one statement each.
#pragma once

#include <QTest>
#include <array>
#include <tuple>
#include <utility>

// Adds rows to a table whose columns are Ts, in order; values convert to their column's type.
template <class... Ts> struct Rows {
    void operator()(const char* name, const Ts&... values) const { (QTest::newRow(name) << ... << values); }
    void operator()(QTestData& row, const Ts&... values) const { (row << ... << values); }
};

// Declares the columns of the current test's table and gives what adds its rows.
template <class... Ts> Rows<Ts...> columns(const std::array<const char*, sizeof...(Ts)>& names)
{
    size_t i = 0;
    (QTest::addColumn<Ts>(names[i++]), ...);
    return {};
}

template <class... Ts, size_t... I>
std::tuple<Ts...> fetchAt(const std::array<const char*, sizeof...(Ts)>& names, std::index_sequence<I...>)
{
    return {*static_cast<Ts*>(QTest::qData(names[I], qMetaTypeId<Ts>()))...};
}

// The current row's values of the named columns, as QFETCH gives them.
template <class... Ts> std::tuple<Ts...> fetch(const std::array<const char*, sizeof...(Ts)>& names)
{
    return fetchAt<Ts...>(names, std::index_sequence_for<Ts...>{});
}
