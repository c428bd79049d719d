// A scratch database on the test server and a password connection on it.
#pragma once

#include "runtime/ErrorNumberOf.h"
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "ado/Connection.h"
#include "ado/ScratchDatabase.h"
#include "ado/TestServer.h"
#include "runtime/Error.h"

class ServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!ado::TestServer::Available()) GTEST_SKIP() << ado::TestServer::SkipReason();
    m_db = std::make_unique<ado::ScratchDatabase>();
    ado::TestServer::OpenWithPassword(cn, m_db->Name());
  }
  void TearDown() override {
    cn.Close();
    m_db.reset();
  }
  const std::string& DbName() const { return m_db->Name(); }

  std::string Scalar(const std::string& sql) {
    ado::Recordset rs = cn.Execute(sql);
    return rs(0).Value().ToString();
  }

  ado::Connection cn;

 private:
  std::unique_ptr<ado::ScratchDatabase> m_db;
};

using rt::ErrorNumberOf;

