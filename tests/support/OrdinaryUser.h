#pragma once
// While it lives, the test process acts as the ordinary user "nobody", or
// another one the test made (real and effective user and group, no other
// groups; root stays the saved user, to come back), then as root again: the
// tests run as root, whom permissions do not stop. The programs it starts
// meanwhile run as that user through and through. `available()` only as root.
#include <grp.h>
#include <unistd.h>

#include <exception>
#include <vector>

class OrdinaryUser {
public:
    static constexpr uid_t uid = 65534;
    static constexpr gid_t gid = 65534;
    static bool available() { return ::geteuid() == 0; }

    OrdinaryUser() : OrdinaryUser(uid, gid) {}
    OrdinaryUser(uid_t user, gid_t group) : m_groups(static_cast<std::size_t>(::getgroups(0, nullptr))) {
        m_groups.resize(static_cast<std::size_t>(::getgroups(static_cast<int>(m_groups.size()), m_groups.data())));
        if (::setgroups(0, nullptr) != 0 || ::setresgid(group, group, 0) != 0 || ::setresuid(user, user, 0) != 0)
            std::terminate();
    }
    // Root first: only root may set the group and groups back.
    ~OrdinaryUser() {
        if (::setresuid(0, 0, 0) != 0 || ::setresgid(m_gid, m_gid, m_gid) != 0 ||
            ::setgroups(m_groups.size(), m_groups.data()) != 0)
            std::terminate();
    }
    OrdinaryUser(const OrdinaryUser&) = delete;
    OrdinaryUser& operator=(const OrdinaryUser&) = delete;

private:
    gid_t m_gid = ::getegid();
    std::vector<gid_t> m_groups;
};
