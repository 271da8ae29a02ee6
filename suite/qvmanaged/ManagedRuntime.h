// What the managed runtime gives every assembly: the exception a call on a
// null reference raises, and the list of names.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

// A method called on a wrapper whose native object is gone (or never was).
class NullReferenceException : public std::runtime_error {
public:
    explicit NullReferenceException(const std::string& what) : std::runtime_error(what) {}
};

// A managed list of strings.
using ArrayList = std::vector<std::wstring>;
