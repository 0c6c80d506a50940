// English month and day names for the MMM/MMMM and ddd/dddd format fields.
#pragma once

#include <array>
#include <string_view>

namespace tandrel::datefmt {

inline constexpr std::array<std::string_view, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
inline constexpr std::array<std::string_view, 12> kMonthAbbreviations = {
    "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
// Sunday first, as day-of-week numbers count.
inline constexpr std::array<std::string_view, 7> kDayNames = {
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
inline constexpr std::array<std::string_view, 7> kDayAbbreviations = {
    "Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

}  // namespace tandrel::datefmt
