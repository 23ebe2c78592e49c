#pragma once
// Names each row of a parameterised test after its `name` field, so a failure
// says which case broke. GoogleTest allows only letters, digits and "_" in
// names: anything else becomes "_".
#include <gtest/gtest.h>

#include <cctype>
#include <string>

struct CaseName {
    template <typename Param>
    std::string operator()(const ::testing::TestParamInfo<Param>& info) const
    {
        std::string name = info.param.name;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    }
};
