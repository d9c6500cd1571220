#pragma once

class ScreenRegistry;

// The spreadsheet import screens: "ImportDataExcel1" (vouchers), "N12" (compensatory
// holidays) and "InportKVERP1" (ERP clearing list).
void registerImportScreens(ScreenRegistry &registry);
