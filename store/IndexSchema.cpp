// The schema text of the index database (see IndexSchema.h).
//
// The catalogue reads view rows by column position, so the column order of every table and view
// is part of the format, as are the names, types and constraints.
#include "store/IndexSchema.h"

namespace {

#define NN " NOT NULL"
#define BATCH_NAME "continuous_data_info.batch_no || ' ' || continuous_data_info.lot_no AS batch_name"

constexpr const char kSchema[] =
    // Tables, in creation order.
    "CREATE TABLE message_write_group (file_id INTEGER" NN ", message_id INTEGER" NN
    ", display_group_no INTEGER" NN
    ", PRIMARY KEY (message_id, display_group_no));"
    "CREATE TABLE display_channel (file_id INTEGER" NN ", group_no INTEGER" NN ", channel_no INTEGER" NN
    ", PRIMARY KEY (file_id, group_no, channel_no));"
    "CREATE TABLE tag (file_id INTEGER" NN ", channel_no INTEGER" NN ", channel_name TEXT" NN
    ", channel_interval INTEGER" NN ", tag_no TEXT" NN ", tag_name TEXT" NN ", unit TEXT" NN
    ", PRIMARY KEY (file_id, channel_no));"
    "CREATE TABLE message (inst_serial_no TEXT" NN ", cont_data_id INTEGER" NN ", file_id INTEGER" NN
    ", message_id INTEGER PRIMARY KEY AUTOINCREMENT, input_time INTEGER" NN ", scan_serial_no INTEGER" NN
    ", message_time INTEGER" NN ", message_no INTEGER" NN ", message_serial INTEGER" NN ", user_name TEXT" NN
    ", message_text TEXT" NN ", message_write_group_text TEXT" NN
    ");"
    "CREATE TABLE display_group (file_id INTEGER" NN ", group_no INTEGER" NN ", group_name TEXT" NN
    ", PRIMARY KEY (file_id, group_no));"
    "CREATE TABLE batch_text (cont_data_id INTEGER" NN ", text_no INTEGER" NN ", type INTEGER" NN
    ", title TEXT" NN ", text TEXT" NN
    ", PRIMARY KEY (cont_data_id, text_no));"
    "CREATE TABLE batch_comment (file_id INTEGER" NN ", comment_no INTEGER" NN
    ", batch_comment_time INTEGER" NN ", batch_comment_username TEXT" NN ", batch_comment_text TEXT" NN
    ", PRIMARY KEY (file_id, comment_no));"
    "CREATE TABLE alarm (inst_serial_no TEXT" NN ", cont_data_id INTEGER" NN ", file_id INTEGER" NN
    ", alarm_time INTEGER" NN ", channel_no INTEGER" NN ", alarm_level INTEGER" NN ", alarm_action INTEGER" NN
    ", alarm_type INTEGER" NN
    ");"
    "CREATE TABLE file (inst_serial_no TEXT" NN ", cont_data_id INTEGER" NN
    ", file_id INTEGER PRIMARY KEY AUTOINCREMENT, file_name TEXT" NN ", file_path TEXT" NN
    ", file_header TEXT" NN ", power_failure INTEGER" NN ", start_factor INTEGER" NN
    ", stop_factor INTEGER" NN ", start_time INTEGER" NN ", end_time INTEGER" NN ", trigger_time INTEGER" NN
    ", start_data_no INTEGER" NN ", end_data_no INTEGER" NN ", mem_start_data_no INTEGER" NN
    ", trigger_data_no INTEGER" NN ", chng_time_cnt INTEGER" NN
    ");"
    "CREATE TABLE continuous_data_info (cont_data_id INTEGER PRIMARY KEY AUTOINCREMENT"
    ", cont_data_guid TEXT NOT NULL UNIQUE, inst_serial_no TEXT" NN ", start_time INTEGER" NN
    ", stop_time INTEGER" NN ", start_username TEXT" NN ", stop_username TEXT" NN ", data_kind INTEGER" NN
    ", power_failure INTEGER" NN ", chng_time_cnt INTEGER" NN ", batch_no TEXT" NN ", lot_no TEXT" NN
    ", logging_no INTEGER" NN ", latest_file_id INTEGER" NN ", org_data_guid TEXT" NN
    ");"
    "CREATE TABLE instrument (inst_serial_no TEXT" NN ", recorder_type TEXT" NN ", hostname TEXT" NN
    ", instrument_name TEXT" NN
    ", PRIMARY KEY (inst_serial_no));"
    "CREATE TABLE database_info (database_name TEXT, area_path TEXT, status TEXT"
    ", backup_status TEXT, schema_version TEXT, dbms_version TEXT);"
    "CREATE TABLE trash (inst_serial_no TEXT" NN
    ", file_path TEXT PRIMARY KEY, file_name TEXT"
    ", del_time INTEGER, org_data_guid TEXT, start_data_no INTEGER, end_data_no INTEGER"
    ", mem_start_data_no INTEGER, trigger_data_no INTEGER, trigger_time INTEGER);"
    // Indexes.
    "CREATE INDEX idx_file_data_id ON file (cont_data_id);"
    "CREATE INDEX idx_alarm_serial_no ON alarm (inst_serial_no);"
    "CREATE INDEX idx_message_serial_no ON message (inst_serial_no);"
    "CREATE INDEX idx_file_time ON file (start_time DESC, end_time DESC);"
    "CREATE INDEX idx_alarm_time ON alarm (alarm_time DESC);"
    "CREATE INDEX idx_message_time ON message (message_time DESC);"
    "CREATE INDEX idx_alarm_file ON alarm (file_id);"
    "CREATE INDEX idx_message_file ON message (file_id);"
    "CREATE INDEX idx_alarm_data_id ON alarm (cont_data_id);"
    "CREATE INDEX idx_message_data_id ON message (cont_data_id);"
    // Views of the catalogue lists.
    "CREATE VIEW tag_list AS SELECT tag.tag_name, tag.tag_no, tag.channel_name"
    ", continuous_data_info.start_time, continuous_data_info.stop_time, tag.channel_interval"
    ", continuous_data_info.data_kind, continuous_data_info.power_failure"
    ", instrument.instrument_name, instrument.recorder_type, " BATCH_NAME
    ", continuous_data_info.cont_data_guid, instrument.inst_serial_no, tag.channel_no"
    " FROM continuous_data_info"
    " INNER JOIN instrument ON continuous_data_info.inst_serial_no = instrument.inst_serial_no"
    " INNER JOIN tag ON continuous_data_info.latest_file_id = tag.file_id;"
    "CREATE VIEW alarm_list AS SELECT alarm.alarm_action, alarm.alarm_type, alarm.alarm_level"
    ", alarm.alarm_time, tag.tag_name, tag.tag_no, tag.channel_name"
    ", continuous_data_info.data_kind, instrument.instrument_name, instrument.recorder_type, " BATCH_NAME
    ", continuous_data_info.cont_data_guid, alarm.inst_serial_no AS inst_serial_no"
    ", tag.channel_no AS channel_no, alarm.file_id AS file_id"
    " FROM alarm"
    " INNER JOIN continuous_data_info ON alarm.cont_data_id = continuous_data_info.cont_data_id"
    " INNER JOIN instrument ON continuous_data_info.inst_serial_no = instrument.inst_serial_no"
    " LEFT OUTER JOIN tag ON continuous_data_info.latest_file_id = tag.file_id"
    " AND alarm.channel_no = tag.channel_no;"
    "CREATE VIEW message_list AS SELECT message.message_text, message.user_name"
    ", message.message_time, message.message_write_group_text, continuous_data_info.data_kind"
    ", instrument.instrument_name, instrument.recorder_type, " BATCH_NAME
    ", continuous_data_info.cont_data_guid, message.inst_serial_no AS inst_serial_no"
    ", message.message_id"
    " FROM message"
    " INNER JOIN continuous_data_info ON message.cont_data_id = continuous_data_info.cont_data_id"
    " INNER JOIN instrument ON message.inst_serial_no = instrument.inst_serial_no;"
    "CREATE VIEW display_group_list AS SELECT display_group.group_name"
    ", continuous_data_info.start_time, continuous_data_info.stop_time"
    ", continuous_data_info.data_kind, continuous_data_info.power_failure"
    ", instrument.instrument_name, instrument.recorder_type, " BATCH_NAME
    ", continuous_data_info.cont_data_guid, instrument.inst_serial_no AS inst_serial_no"
    ", display_group.group_no"
    " FROM continuous_data_info"
    " INNER JOIN instrument ON continuous_data_info.inst_serial_no = instrument.inst_serial_no"
    " INNER JOIN display_group ON continuous_data_info.latest_file_id = display_group.file_id;"
    "CREATE VIEW batch_list AS SELECT continuous_data_info.start_time"
    ", continuous_data_info.stop_time, continuous_data_info.data_kind"
    ", continuous_data_info.power_failure, instrument.instrument_name, instrument.recorder_type, " BATCH_NAME
    ", continuous_data_info.logging_no, continuous_data_info.cont_data_guid"
    ", continuous_data_info.inst_serial_no"
    " FROM continuous_data_info"
    " INNER JOIN instrument ON continuous_data_info.inst_serial_no = instrument.inst_serial_no;"
    "CREATE VIEW file_list AS SELECT file.file_name, file.start_time, file.end_time"
    ", continuous_data_info.data_kind, file.power_failure, instrument.instrument_name"
    ", instrument.recorder_type, " BATCH_NAME
    ", continuous_data_info.cont_data_guid"
    ", file.inst_serial_no AS inst_serial_no, file.file_id"
    " FROM instrument"
    " INNER JOIN file ON instrument.inst_serial_no = file.inst_serial_no"
    " INNER JOIN continuous_data_info ON file.cont_data_id = continuous_data_info.cont_data_id;"
    // The one row of facts about the database; its creator fills in the rest.
    "INSERT INTO database_info (schema_version) VALUES('1.01');";

#undef NN
#undef BATCH_NAME

}  // namespace

std::string_view IndexSchemaText() { return kSchema; }
