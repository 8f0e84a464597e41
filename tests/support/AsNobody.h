#pragma once

#include <gtest/gtest.h>

#include <sys/types.h>
#include <unistd.h>

namespace sonorelle::test {

// Runs a check as the unprivileged user "nobody"; only root can switch to it.
class AsNobody {
public:
    static constexpr uid_t Nobody = 65534;

    AsNobody() { switched_ = ::geteuid() == 0 && ::seteuid(Nobody) == 0; }
    ~AsNobody()
    {
        if (switched_) {
            EXPECT_EQ(::seteuid(0), 0);
        }
    }
    AsNobody(const AsNobody&) = delete;
    AsNobody& operator=(const AsNobody&) = delete;

    bool switched() const { return switched_; }

private:
    bool switched_ = false;
};

}  // namespace sonorelle::test
