#pragma once
// The protocol's fixed secrets, built into the client; the service holds the same texts.

#include <string_view>

namespace kv::protocol {

// RC4 key of every request (113 characters).
inline constexpr std::string_view kRequestKey =
    "Wd7sKq2ZmXpL4vNc8TbR1yHg6FjU3eOa9QwE5rIt0uMz+kB7nVc2xP8lS4hD6gJ1fA3yW9oQ5iR+tE7uY2pL0aZ4"
    "sX8dC6vF1bN3mG9hK5jT7qU2w";
// RC4 key of every single-record reply (118 characters).
inline constexpr std::string_view kReplyKey =
    "Hn3/Tq8xLb5Vz+Me2Kc7Rw9Fd1Sa4JgY6/uP0oXi3Bk8Nl5Ct2Zh7+Ev9Qm1Gs4Ar6Wj0DyU8/fO2pIe5Tc3Lx7Hb9K"
    "n1+Vq4Ma6Rz0Sg8Fw2Pdu5/Yo7E";
// Salt behind the password in the login digest (254 characters of the Base64 alphabet).
inline constexpr std::string_view kLoginSalt =
    "m98fS1nkNuQV5HIf7Nrx8Axxp2j0pzEswcZO8isNhS4Cy8307ZWCQS/iM/OpG8HLarR5CfSdR/OS6ZAdm/bvCykzpm"
    "DslVMU+GNFyxJt/kwnqgJYOOozJj5Dxz2J9TmMPSXj47IBCl/3NCJQJIFTiLpvn/jii4+Wh8HrIShPoe5mW7AsARtC"
    "GNFkhN+mxyK3JwMJWEnaR65BJcD9XkriaNY7kG2YmmANb7QEqPr+1hqT5Y2fTLBYWYJHE8XMaq";

} // namespace kv::protocol
