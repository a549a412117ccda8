// The index database "fileidx.db" of a data storage: its schema text and fixed values.
//
// One definition for the whole system: the storage creation and the rebuild create exactly this
// schema (tables, then indexes, then views, then the one database_info row). The text holds no
// line breaks and no ';' other than statement ends, so it is applied one statement at a time,
// split at each ';'.
#pragma once
#include <string_view>

inline constexpr const char* SCHEMA_VERSION = "1.01";
inline constexpr const char* kIndexFileName = "fileidx.db";

// database_info.status
inline constexpr const char* kStatusOk = "OK";
inline constexpr const char* kStatusCorrupted = "CORRUPTED";
inline constexpr const char* kStatusAborted = "ABORTED";
inline constexpr const char* kStatusAbnormalFiles = "ABNORMALFILES";
// database_info.backup_status
inline constexpr const char* kBackupActive = "ACTIVE";
inline constexpr const char* kBackupValid = "VALID";
inline constexpr const char* kBackupInvalid = "INVALID";

// Every statement of the schema, ending with the insert of the database_info row.
std::string_view IndexSchemaText();
