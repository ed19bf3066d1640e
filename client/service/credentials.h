#pragma once
// What the session asks of the login dialog: the user id, the password and, when the service
// wants one, the security code. The client's login window implements it.

#include <string>

namespace kv::service {

class CredentialsPrompt {
public:
    virtual ~CredentialsPrompt() = default;
    // Readies the dialog for a new login: the instructions shown, no security code asked,
    // and userId in the user id box.
    virtual void startLogin(const std::string& userId) = 0;
    // Shows the security-code picture at imageUrl in place of the instructions and asks
    // for the code.
    virtual void askSecurityCode(const std::string& imageUrl) = 0;
    // Shows the dialog until the user accepts (true) or cancels (false).
    virtual bool askCredentials() = 0;
    // What the user typed.
    virtual std::string userId() const = 0;
    virtual std::string password() const = 0;
    virtual std::string securityCode() const = 0;
};

} // namespace kv::service
