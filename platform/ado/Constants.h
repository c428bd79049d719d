// The enumerations and error numbers of the database layer, with the values
// the system's code passes and tests.
#pragma once

#include <cstdint>

namespace ado {

enum ObjectStateEnum : int32_t { adStateClosed = 0, adStateOpen = 1 };

enum CursorTypeEnum : int32_t {
  adOpenForwardOnly = 0,
  adOpenKeyset = 1,
  adOpenDynamic = 2,
  adOpenStatic = 3,
};

enum LockTypeEnum : int32_t {
  adLockReadOnly = 1,
  adLockPessimistic = 2,
  adLockOptimistic = 3,
  adLockBatchOptimistic = 4,
};

enum CommandOptionEnum : int32_t {
  adCmdText = 1,
  adExecuteNoRecords = 128,
};

// Field types as the layer reports them (DataTypeEnum).
enum DataTypeEnum : int32_t {
  adSmallInt = 2,
  adInteger = 3,
  adSingle = 4,
  adDouble = 5,
  adBoolean = 11,
  adBigInt = 20,
  adGUID = 72,
  adWChar = 130,
  adNumeric = 131,
  adDBDate = 133,
  adDBTime = 134,
  adDBTimeStamp = 135,
  adVarWChar = 202,
  adLongVarWChar = 203,
  adLongVarBinary = 205,
};

// Error numbers raised by the layer (rt::Error::Number()).
inline constexpr int32_t errCannotConnect = static_cast<int32_t>(0x80004005u);     // no server, connection lost
inline constexpr int32_t errPermissionDenied = static_cast<int32_t>(0x80040E09u);  // the login lacks a right on an object
inline constexpr int32_t errLoginRefused = static_cast<int32_t>(0x80040E4Du);      // authentication or access refused
inline constexpr int32_t errCommandFailed = static_cast<int32_t>(0x80040E14u);     // syntax, undefined object, general
inline constexpr int32_t errIntegrityViolation = static_cast<int32_t>(0x80040E2Fu);  // key, unique, not null, check
inline constexpr int32_t errConflictingChange = static_cast<int32_t>(0x80040E21u);   // deadlock, lock not available
inline constexpr int32_t errRowDeleted = static_cast<int32_t>(0x80040E23u);        // current row was deleted
inline constexpr int32_t errConcurrencyViolation = static_cast<int32_t>(0x80040E38u);  // optimistic update found its row changed or gone
inline constexpr int32_t errMissingParameter = static_cast<int32_t>(0x80040E10u);  // placeholders and values differ in number
inline constexpr int32_t errNoTransaction = static_cast<int32_t>(0x8004D00Eu);     // commit or rollback without a transaction
inline constexpr int32_t errTransactionExists = static_cast<int32_t>(0x8004D013u);  // a second BeginTrans
inline constexpr int32_t errNotUpdatable = 3251;    // recordset is read-only or not on one table
inline constexpr int32_t errItemNotFound = 3265;    // no field of that name or index
inline constexpr int32_t errObjectClosed = 3704;    // operation not allowed when the object is closed
inline constexpr int32_t errObjectOpen = 3705;      // operation not allowed when the object is open
inline constexpr int32_t errNoCurrentRow = 40009;   // BOF or EOF, no current row

}  // namespace ado
