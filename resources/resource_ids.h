// Resource ids shared by the .rc files and the code, one block per window or dialog.
//
// Within a dialog: check boxes from 101, push buttons from 201, radio buttons
// from 401, statics from 501, edits from 601, drop-down lists from 701 and
// up-down controls from 801.
#pragma once

// Dialog template names, for the code; the .rc files spell them out.
#ifndef RC_INVOKED
inline constexpr char kAboutDialog[] = "AboutBox";
inline constexpr char kScannerDialog[] = "SCANNER_DLG";
inline constexpr char kInterfaceDialog[] = "INTERFACE_DLG";
inline constexpr char kSymbologyDialog[] = "SYMBOLOGY_DLG";
inline constexpr char kCodeLengthDialog[] = "LENGTHCODE_DLG";
inline constexpr char kCode39Dialog[] = "Code39Dlg";
inline constexpr char kItalianPharmaDialog[] = "ItalianPharmaDlg";
inline constexpr char kFrenchPharmaDialog[] = "FrenchPharmaDlg";
inline constexpr char kIndustrial25Dialog[] = "Industrial25Dlg";
inline constexpr char kInterleave25Dialog[] = "Interleave25Dlg";
inline constexpr char kMatrix25Dialog[] = "Matrix25Dlg";
inline constexpr char kCodabarDialog[] = "CodabarDlg";
inline constexpr char kUpceDialog[] = "UPCEDlg";
inline constexpr char kEan8Dialog[] = "EAN8Dlg";
inline constexpr char kEan13Dialog[] = "EAN13Dlg";
inline constexpr char kUpcaDialog[] = "UPCADlg";
inline constexpr char kMsiDialog[] = "MSIDlg";
inline constexpr char kPlesseyDialog[] = "PlesseyDlg";
inline constexpr char kEan128Dialog[] = "EAN128Dlg";
inline constexpr char kCodeIdDialog[] = "CODEID_DLG";
inline constexpr char kEditDialog[] = "EDIT_DLG";
inline constexpr char kApplicableDialog[] = "APPLICABLE_DLG";
inline constexpr char kFieldSettingsDialog[] = "FIELDSETTINGS_DLG";
inline constexpr char kTransmissionDialog[] = "TRANSMISSION_DLG";
inline constexpr char kKeyGridDialog[] = "Grid_Dlg";
inline constexpr char kComPortDialog[] = "ComSettingDlg";
inline constexpr char kProgressDialog[] = "ProgressDlg";
inline constexpr char kProbeProgressDialog[] = "ProbeProgressDlg";
inline constexpr char kScanTestDialog[] = "ScanTestDlg";
#endif

// Main window: menu commands. The status-bar help of a command is the string
// with the command's id, its toolbar tooltip the string with id + 1000.
#define IDM_NEW 1010
#define IDM_OPEN 1020
#define IDM_SAVE 1030
#define IDM_SAVE_AS 1040
#define IDM_EXIT 1090
#define IDM_CONFIGURE 1120
#define IDM_READ_SETTINGS 1130
#define IDM_TEST_SCANNING 1140
#define IDM_PRINT 1210
#define IDM_DOWNLOAD 1220
#define IDM_ABOUT 1310
#define TOOLTIP_ID(command) ((command) + 1000)

// Main window: child controls.
#define IDC_STATUS_BAR 101
#define IDC_TOOLBAR 102
#define IDC_REPORT 1

// "AboutBox".
#define IDC_ABOUT_ICON 501
#define IDC_ABOUT_TEXT 502

// "SCANNER_DLG".
#define IDC_NEGATIVE_BARCODE 101
#define IDC_GOOD_READ_LED 102
#define IDC_AUTO_SENSE 103
#define IDC_BUZZER_OFF 104
#define IDC_TRANSMIT_BUFFER 105
#define IDC_MEMORY_SCANNER 106
#define IDC_TRANSMISSION_DELAY_LABEL 501
#define IDC_DATA_DELAY_LABEL 502
#define IDC_SCAN_TIMEOUT 601
#define IDC_SCAN_MODE 701
#define IDC_READ_REDUNDANCY 702
#define IDC_REREAD_DELAY 703
#define IDC_BUZZER_FREQUENCY 704
#define IDC_TRANSMISSION_DELAY 705
#define IDC_DATA_DELAY 706
#define IDC_SCAN_TIMEOUT_SPIN 801

// "INTERFACE_DLG". Each list's label has the list's id - 200.
#define IDC_LAPTOP_SUPPORT 101
#define IDC_INTER_CHAR_DELAY_LABEL 520
#define IDC_INTER_CHAR_DELAY_UNIT 521
#define IDC_INTER_CHAR_DELAY 601
#define IDC_SCANNER_INTERFACE 701
#define IDC_KEYBOARD_TYPE 702
#define IDC_ALPHABETS_TRANSMISSION 703
#define IDC_CAPS_LOCK_TYPE 704
#define IDC_ALPHABETS_LAYOUT 705
#define IDC_ALTERNATE_COMPOSING 706
#define IDC_DIGITS_TRANSMISSION 707
#define IDC_CAPS_LOCK_STATE 708
#define IDC_DIGITS_LAYOUT 709
#define IDC_TRANSMISSION_MODE 710
#define IDC_HOST_BAUD_RATE 711
#define IDC_HOST_PARITY 712
#define IDC_HOST_DATA_BITS 713
#define IDC_HOST_FLOW_CONTROL 714
#define IDC_MARGIN_TIME 715
#define IDC_MODULE_TIME 716
#define IDC_NORMAL_STATE 717
#define IDC_BAR_STATE 718
#define IDC_PDF417_BLOCK_DELAY 719
#define LABEL_OF(list) ((list) - 200)

// "SYMBOLOGY_DLG": check boxes 101 to 117 (Code 39 to Code 93, UPCE, EAN8,
// EAN13, UPCA, MSI, Plessey, EAN 128, Code 128, PDF 417), each with its
// "Configure..." at its id + 100.
#define IDC_SYMBOLOGY_FIRST 101
#define CONFIGURE_OF(box) ((box) + 100)
#define IDC_PREFIX 601
#define IDC_SUFFIX 602

// The symbology parameter dialogs: check boxes from 101 and radio buttons
// from 401 in the order of their fields; the length qualification's ids above.
#define IDC_OPTION_FIRST 101
#define IDC_CHOICE_FIRST 401
#define IDC_FIELD_SEPARATOR 601

// "CODEID_DLG": the fifteen code ids from 601 in the order of the image,
// "PDF 417" (616, labelled by 516), "Set 1" to "Set 5" from 201 and "Clear".
#define IDC_CODE_ID_FIRST 601
#define IDC_CODE_ID_PDF417_LABEL 516
#define IDC_CODE_ID_PDF417 616
#define IDC_CODE_ID_SET_FIRST 201
#define IDC_CODE_ID_CLEAR 206

// "EDIT_DLG": six substitution rows (left edit 601 + 2 (row - 1), right edit
// one more, label 501 + row - 1, arrow 511 + row - 1), "Inclusive", six format
// enables from 102 and their "Configure..." from 201; the image holds rows and
// formats 1 to 3.
#define IDC_INCLUSIVE 101
#define IDC_FORMAT_ON_FIRST 102
#define IDC_FORMAT_CONFIGURE_FIRST 201
#define IDC_SUBSTITUTION_LABEL_FIRST 501
#define IDC_SUBSTITUTION_ARROW_FIRST 511
#define IDC_SUBSTITUTION_FIRST 601
#define SUBSTITUTION_FROM(row) (IDC_SUBSTITUTION_FIRST + 2 * ((row) - 1))
#define SUBSTITUTION_TO(row) (SUBSTITUTION_FROM(row) + 1)

// "APPLICABLE_DLG": 24 code-type check boxes from 101, the number edits and
// their up-downs, the matching string.
#define IDC_CODE_TYPE_FIRST 101
#define IDC_MIN_LENGTH 601
#define IDC_MAX_LENGTH 602
#define IDC_MATCH_POSITION 603
#define IDC_MATCH_STRING 604
#define IDC_MIN_LENGTH_SPIN 801
#define IDC_MAX_LENGTH_SPIN 802
#define IDC_MATCH_POSITION_SPIN 803

// "FIELDSETTINGS_DLG": per field n (1 to 5) an include check box, a
// terminating-string edit and a length edit with its up-down; the additional
// fields; the number of fields; the two ways of dividing.
#define IDC_INCLUDE_FIRST 101
#define IDC_BY_TERMINATOR 401
#define IDC_BY_LENGTH 402
#define IDC_FIELD_GROUP 501
#define IDC_FIELD_COUNT 601
#define IDC_TERMINATOR_FIRST 611
#define IDC_FIELD_LENGTH_FIRST 621
#define IDC_ADDITIONAL_FIRST 631
#define IDC_FIELD_COUNT_SPIN 801
#define IDC_FIELD_LENGTH_SPIN_FIRST 811

// "TRANSMISSION_DLG": "Field 1" to "Field 6", "Additional field 1" to
// "Additional field 5" (items 1 to 11 from 201), "Clear", the sequence shown.
#define IDC_SEQUENCE_ITEM_FIRST 201
#define IDC_SEQUENCE_CLEAR 212
#define IDC_SEQUENCE 501

// "LENGTHCODE_DLG": check boxes 101 to 116 in the order of the Code Length
// switches, then "PDF 417".
#define IDC_CODE_LENGTH_FIRST 101
#define IDC_CODE_LENGTH_PDF417 117

// "Grid_Dlg": the key grid editor.
#define IDC_ADD_SHIFT 101
#define IDC_GRID_CLEAR 201
#define IDC_SCAN_CODE 401
#define IDC_NORMAL_KEY 402
#define IDC_KEY_STATUS 500
#define IDC_GRID 501
#define IDC_GRID_RESULT 502

// "ComSettingDlg".
#define IDC_COM_PORT 701
#define IDC_BAUD_RATE 702
#define IDC_DATA_BITS 703
#define IDC_PARITY 704
#define IDC_FLOW_CONTROL 705
#define IDC_VERIFY_DOWNLOAD 101
#define IDC_FIND_LINE 201
#define IDC_FOUND_LINE 501

// The length qualification of the symbology parameter dialogs: the labels and
// number boxes of the first and second length.
#define IDC_LENGTH_LABEL_1 501
#define IDC_LENGTH_LABEL_2 502
#define IDC_LENGTH_1 601
#define IDC_LENGTH_2 602

// "ProgressDlg" and "ProbeProgressDlg" (which has Cancel too).
#define IDC_PROGRESS_TEXT 501

// "ScanTestDlg": the test scanning window.
#define IDC_SCAN_HEX 101
#define IDC_SCAN_PORT 201
#define IDC_SCAN_CLEAR 202
#define IDC_SCAN_COPY 203
#define IDC_SCAN_RS232 401
#define IDC_SCAN_WEDGE 402
#define IDC_SCAN_STATUS 501
#define IDC_SCAN_CAPTURE 502
#define IDC_SCAN_LIST 503
