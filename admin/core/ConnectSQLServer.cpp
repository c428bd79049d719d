#include "core/ConnectSQLServer.h"

#include "core/CoreMessage.h"
#include "core/LoginStatus.h"
#include "core/SessionState.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"

namespace qvadmin {

namespace {

void SetPropertiesAndOpen(bool UseMasterDB, bool SqlAuth, const std::string& Server, const std::string& User,
                          const std::string& Password) {
  ado::Connection& cn = MainConnection();
  if (cn.State() == ado::adStateOpen) cn.Close();
  cn.SetConnectionTimeout(8);
  cn.SetProvider("SQLOLEDB.1");
  cn.SetProperty("Data Source", Server);
  // The properties stay on the connection object between calls; those that
  // this login does not use are cleared, so that a connection without the
  // master database or with the other authentication does not inherit
  // them from the one before.
  cn.SetProperty("Initial Catalog", UseMasterDB ? kMasterDatabase : "");
  if (SqlAuth) {
    cn.SetProperty("Integrated Security", "");
    cn.SetProperty("User ID", User);
    cn.SetProperty("Password", Password);
  } else {
    cn.SetProperty("User ID", "");
    cn.SetProperty("Password", "");
    cn.SetProperty("Integrated Security", "SSPI");
  }
  cn.SetProperty("Persist Security Info", false);
  cn.Open();
}

}  // namespace

rt::Error OpenMainConnection(bool UseMasterDB, bool SqlAuth, const std::string& Server, const std::string& User,
                             const std::string& Password) {
  rt::Err().Clear();
  rt::ResumeNext([&] { SetPropertiesAndOpen(UseMasterDB, SqlAuth, Server, User, Password); });
  rt::Error error = rt::Err().Current();
  rt::Err().Clear();
  return error;
}

bool ConnectSQLServer(bool UseMasterDB, bool SqlAuth, const std::string& Server, const std::string& User,
                      const std::string& Password) {
  if (SqlAuth && rt::Trim(User).empty() && rt::Trim(Password).empty()) {
    ShowCoreMessage("The Server authentication\rrequires a user name.", vbExclamation, "The server login failed!");
    return false;
  }

  const rt::Error error = OpenMainConnection(UseMasterDB, SqlAuth, Server, User, Password);

  auto status = [&](const char* text) {
    if (!UseMasterDB) SetLoginStatus(text);
  };
  switch (error.Number()) {
    case 0:
      status("");
      return true;
    case ado::errCannotConnect:
      status("<No SQL Server found!>");
      ShowCoreMessage(error.Description() + "\r\rPlease check the connection to Microsoft SQL Server.", vbCritical,
                      "Error: " + std::to_string(error.Number()));
      return false;
    case ado::errLoginRefused:
      status("<Wrong Access Data!>");
      // The server's reason stands in the text too, where it can be read
      // whole (a window manager cuts a long title).
      ShowCoreMessage("Please check your login and password!\r\r" + error.Description(), vbCritical,
                      "No Connection - " + error.Description());
      return false;
    default:
      status("<No SQL Server or wrong access data!>");
      ShowCoreMessage(
          "Please check the following points:\r\r"
          "    - Is the Microsoft SQL Server active?\r"
          "    - Is the user name correct?\r"
          "    - Is the password correct?",
          vbCritical, "Can not connect to SQL Server!");
      return false;
  }
}

}  // namespace qvadmin
