/*
 * ordex.h - the public C interface of libordex, a reader, writer and converter for
 * ASAP2 description files (A2L).
 *
 * Usable from C99 and C++. Every function returns a TOrdexReturnCode unless it says
 * otherwise; no function throws. Outputs go into caller-owned records and buffers.
 * Text fields of the public records are 256-byte zero-terminated fields; longer texts
 * are cut to 255 characters.
 *
 * The library keeps some process-wide state (the name comparison mode, the file-access
 * module and the positions of the name enumerators): calls must be serialised by the
 * caller, also across instances.
 *
 * The functions come in families, each under a banner below: lifecycle and settings,
 * reading, getters, lists and enumerators, references, writing, conversion, editing. A
 * declaration says what the function does, who owns what it hands out and which codes it
 * returns; a banner states what holds for its whole family. A function whose name ends in
 * _Intern, declared right after its namesake without a comment of its own, is the same
 * function under a second name. Ownership in short: instances belong to the caller until
 * Ordex_DestroyInstance; records and buffers always belong to the caller; the few pointers
 * the library hands out (system constant values, IF_DATA contents, large COMPU_VTAB texts)
 * point to its own texts, which the caller must neither change nor free and which stay
 * valid until that entry is changed or removed or the instance is destroyed.
 */
#ifndef ORDEX_H
#define ORDEX_H

#include <stdint.h>

#if defined(ORDEX_BUILDING_LIBRARY)
#define ORDEX_API __attribute__((visibility("default")))
#else
#define ORDEX_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ==========================================================================================
 * Return codes, element kinds and basic types
 * ========================================================================================== */

/* The result of every operation: 0 success, 1 stopped by a progress callback, negative
 * values failures. */
typedef enum TOrdexReturnCode {
  rcOk = 0,
  rcAbortedByCallback = 1,
  rcInvalidArgument = -1,
  rcOutOfMemory = -3,
  rcFileOpenFailed = -4,
  rcOutputCreateFailed = -5,
  /* An "/include" file cannot be opened. Also given when includes nest more than nine
   * deep (for example a file that includes itself): the reader holds at most ten open
   * files, the top file and nine nested includes. */
  rcIncludeOpenFailed = -6,
  rcFileAccessFailed = -7,
  rcBlockNesting = -101,
  rcBlockOutsideParent = -102,
  rcNoInstance = -103,
  rcNoProject = -104,
  rcModuleNotFound = -105,
  rcMemorySegmentNotFound = -106,
  rcCharacteristicNotFound = -107,
  rcMeasurementNotFound = -108,
  rcFunctionNotFound = -109,
  rcCompuMethodNotFound = -110,
  rcCompuTabNotFound = -111,
  rcCompuVTabNotFound = -112,
  rcAxisPtsNotFound = -113,
  rcRecordLayoutNotFound = -114,
  rcListEntryNotFound = -115,
  rcSystemConstantNotFound = -116,
  rcIfDataNotFound = -117,
  rcProjectExists = -118,
  rcVarCharacteristicNotFound = -119,
  rcVarCriterionNotFound = -120,
  rcVarForbiddenCombNotFound = -121,
  rcBadNumber = -122,
  rcCalibrationMethodNotFound = -123,
  rcUnsupportedMode = -201,
  rcBadResponse = -202,
  rcBadSize = -203,
  rcIndexOutOfRange = -204,
  rcNullArgument = -205
} TOrdexReturnCode;

/* One bit per object kind: the Kind of every record, the mask of Ordex_GetNumObjects and
 * the first argument of the writer's element callback. */
typedef enum TOrdexElementType {
  etProject = 1,
  etModule = 2,
  etMemorySegment = 4,
  etSystemConstant = 8,
  etCharacteristic = 16,
  etMeasurement = 32,
  etFunction = 64,
  etCompuMethod = 128,
  etCompuTab = 256,
  etCompuVTab = 512,
  etRecordLayout = 1024,
  etAxisPts = 2048,
  etCalibrationMethod = 8192
} TOrdexElementType;

/* ASAP2 data types, as the index of the keyword in the data-type keyword list. */
typedef enum TDataType {
  dtUByte = 0,
  dtSByte = 1,
  dtUWord = 2,
  dtSWord = 3,
  dtULong = 4,
  dtSLong = 5,
  dtUTriple = 6,
  dtSTriple = 7,
  dtFloat32Ieee = 8,
  dtFloat64Ieee = 9,
  dtString = 10
} TDataType;

/* Byte orders, as the index of the keyword in the byte-order keyword list (0: not given). */
typedef enum TByteOrder {
  boNotGiven = 0,
  boLittleEndian = 1,
  boBigEndian = 2,
  boMsbFirst = 3,
  boMsbLast = 4
} TByteOrder;

/* The instance: opaque, created by Ordex_CreateInstance. */
typedef struct TOrdex TOrdex;

/* Internal records taken by the three lower-level _Intern operations and by the optional
 * shortcut arguments of the measurement block operations. Opaque. */
typedef struct TModule_Intern TModule_Intern;
typedef struct TCompuMethod_Intern TCompuMethod_Intern;
typedef struct TRecordLayout_Intern TRecordLayout_Intern;
typedef struct TMeasurement_Intern TMeasurement_Intern;

/* Called once when an instance is destroyed, before its project is released. */
typedef void (*TOrdexInstanceDestructorCallback)(void);

/* Progress of a read, a reference finder run or a write: receives a percentage (0..100);
 * a non-zero result stops the operation. */
typedef int (*TOrdexProgressCallback)(int percent);

/* The writer's element filter: receives the kind and the UserData of an object; 0 leaves
 * the object out. */
typedef int (*TOrdexElementCallback)(TOrdexElementType kind, uint32_t userData);

/* The four entry points of a file-access module (see Ordex_SetFileAccessDll).
 * fOpenCryptClass(name, "rb") returns a handle, 0 on failure; fGetCharCryptClass stores
 * the next character and returns non-zero, or returns 0 at the end; fGetStringCryptClass
 * returns the next line (line feed kept) or null at the end; fCloseCryptClass closes. */
typedef uint32_t (*TOrdexOpenCryptClassFunc)(const char* fileName, const char* mode);
typedef int (*TOrdexGetCharCryptClassFunc)(uint32_t handle, unsigned char* c);
typedef const char* (*TOrdexGetStringCryptClassFunc)(uint32_t handle);
typedef int (*TOrdexCloseCryptClassFunc)(uint32_t handle);

/* ==========================================================================================
 * Public records
 * ========================================================================================== */

/* ORDEX_RECORDS_BEGIN */

/* Public records are filled and read by the library but owned by the caller. They use
 * natural alignment (no packing), so the layout is the one every C and C++ compiler of the
 * platform gives. Text fields hold ORDEX_TEXT_SIZE bytes: zero-terminated, longer texts cut
 * to 255 characters. Booleans are 16-bit 0 or 1. A getter, the create operation and the
 * change operation of one kind share one record, so a record filled by a getter can be
 * handed back unchanged; its Name is the lookup key and the getter leaves it as written. */

/* Bytes of every text field of the public records (terminator included). */
#define ORDEX_TEXT_SIZE 256
/* Bytes of the Text field of TAnnotationRecord (terminator included). */
#define ORDEX_ANNOTATION_TEXT_SIZE 2048
/* Axis descriptions carried by a characteristic record. */
#define ORDEX_CHARACTERISTIC_AXES 3
/* RESERVED entries and the other element kinds (1 to 30) of a record layout. */
#define ORDEX_RECORD_LAYOUT_RESERVED 10
#define ORDEX_RECORD_LAYOUT_ELEMENTS 30
/* Entries of the position-sorted element array (positions 1 to 40). */
#define ORDEX_SORTED_ELEMENTS 40
/* Value pairs carried by TCompuTab and TCompuVTab. */
#define ORDEX_COMPU_TAB_PAIRS 256
#define ORDEX_COMPU_VTAB_PAIRS 20

/* A number together with the text it was read from. The writer prints Text, the conversion
 * uses Value; create and change store both unchanged and never check that they agree.
 * Inside a record it starts on an 8-byte boundary. */
typedef struct TNumberText {
  char Text[ORDEX_TEXT_SIZE];
  double Value;
} TNumberText;

/* ------------------------------------------------------------------------------------------
 * Project, module and MOD_PAR entries
 * ------------------------------------------------------------------------------------------ */

/* The project with its HEADER data: filled by Ordex_GetProject, taken by
 * Ordex_CreateProject and Ordex_ChangeProject. */
typedef struct TProject {
  char Name[ORDEX_TEXT_SIZE];
  char LongIdentifier[ORDEX_TEXT_SIZE];
  int32_t Asap2Version; /* the two ASAP2_VERSION numbers of the file head; 0 if none */
  int32_t Asap2Upgrade;
  char FileHeadComment[ORDEX_TEXT_SIZE]; /* first comment line ahead of the first /begin */
  char HeaderComment[ORDEX_TEXT_SIZE];
  char HeaderVersion[ORDEX_TEXT_SIZE];
  char HeaderProjectNo[ORDEX_TEXT_SIZE];
  uint32_t UserData; /* the caller's own value; the library never interprets it */
} TProject;

/* A module with its MOD_COMMON and MOD_PAR values: filled by Ordex_GetModule (an empty Name
 * selects the only module), taken by Ordex_CreateModule and Ordex_ChangeModule. The
 * MOD_COMMON offsets and bit mask are not carried. The MOD_PAR texts from Version to CpuType
 * hold the token as it stands in the file, quotes included, and are written back as they
 * are. */
typedef struct TModule {
  char Name[ORDEX_TEXT_SIZE];
  char LongIdentifier[ORDEX_TEXT_SIZE];
  char ModCommonComment[ORDEX_TEXT_SIZE];
  char SRecLayout[ORDEX_TEXT_SIZE];
  int32_t DepositMode;   /* index in the deposit keywords (DIFFERENCE, ABSOLUTE); -1 not set */
  int32_t ByteOrder;     /* a TByteOrder value; -1 not set */
  int16_t AlignmentByte; /* the five alignments: 0 = not set */
  int16_t AlignmentWord;
  int16_t AlignmentLong;
  int16_t AlignmentFloat32Ieee;
  int16_t AlignmentFloat64Ieee;
  char ModParComment[ORDEX_TEXT_SIZE];
  char Version[ORDEX_TEXT_SIZE];
  uint32_t AddrEpk; /* 0xFFFFFFFF = not set */
  char Epk[ORDEX_TEXT_SIZE];
  char Supplier[ORDEX_TEXT_SIZE];
  char Customer[ORDEX_TEXT_SIZE];
  char CustomerNo[ORDEX_TEXT_SIZE];
  char User[ORDEX_TEXT_SIZE];
  char PhoneNo[ORDEX_TEXT_SIZE];
  char Ecu[ORDEX_TEXT_SIZE];
  char CpuType[ORDEX_TEXT_SIZE];
  int16_t NoOfInterfaces;
  uint32_t EcuCalibrationOffset;
  uint32_t UserData;
} TModule;

/* A MEMORY_SEGMENT or MEMORY_LAYOUT entry of MOD_PAR: filled by Ordex_GetMemorySegment,
 * taken by Ordex_CreateMemorySegment and Ordex_ChangeMemorySegment. A layout is the entry
 * whose LongIdentifier is "MEMORY_LAYOUT"; its Name is its number within MOD_PAR ("1",
 * "2", ...) and its MemoryType and Attribute have no meaning. */
typedef struct TMemorySegment {
  char Name[ORDEX_TEXT_SIZE];
  char LongIdentifier[ORDEX_TEXT_SIZE];
  int32_t PrgType;    /* segment: CODE .. EXCLUDE_FROM_FLASH; layout: PRG_CODE .. PRG_RESERVED */
  int32_t MemoryType; /* RAM, EEPROM, EPROM, ROM, REGISTER, FLASH */
  int32_t Attribute;  /* INTERN, EXTERN */
  uint32_t Address;   /* 0xFFFFFFFF = not set */
  uint32_t Size;
  int32_t Offsets[5];
  uint32_t UserData;
} TMemorySegment;

/* A CALIBRATION_METHOD of MOD_PAR, filled by Ordex_GetCalibrationMethod. The values of its
 * handles are read with Ordex_GetCalibrationHandleNumValues and
 * Ordex_GetCalibrationHandleValues. */
typedef struct TCalibrationMethod {
  char Name[ORDEX_TEXT_SIZE];
  int32_t Version;
  int32_t HandleCount; /* number of CALIBRATION_HANDLE blocks */
} TCalibrationMethod;

/* A SYSTEM_CONSTANT, filled by Ordex_GetSystemConstant and Ordex_GetNextSystemConstant.
 * Value points to the library's own text (not a copy): do not change or free it; it stays
 * valid until the constant is changed or removed or the module is destroyed. At the end of
 * an enumeration it is null. */
typedef struct TSystemConstant {
  char Name[ORDEX_TEXT_SIZE];
  const char* Value;
} TSystemConstant;

/* ------------------------------------------------------------------------------------------
 * CHARACTERISTIC and AXIS_PTS
 * ------------------------------------------------------------------------------------------ */

/* One AXIS_DESCR of a TCharacteristic. Attribute is the index in the axis-attribute keywords
 * (STD_AXIS, COM_AXIS, FIX_AXIS), DepositMode that in the deposit keywords (-1 for both
 * when not set). Through this form an axis with DepositMode -1 or with any FixAxisPar value
 * not 0 is stored as FIX_AXIS_PAR, any other as DEPOSIT. */
typedef struct TAxisDescr {
  int32_t Attribute;
  char InputQuantity[ORDEX_TEXT_SIZE]; /* name of the input MEASUREMENT */
  char Conversion[ORDEX_TEXT_SIZE];    /* name of the COMPU_METHOD */
  int16_t MaxAxisPoints;
  TNumberText LowerLimit;
  TNumberText UpperLimit;
  int16_t ReadOnly;
  char Format[ORDEX_TEXT_SIZE];
  char AxisPtsRef[ORDEX_TEXT_SIZE]; /* name of the AXIS_PTS */
  TNumberText ExtendedLimitsLower;
  TNumberText ExtendedLimitsUpper;
  int32_t FixAxisParOffset; /* FIX_AXIS_PAR: offset, shift, number of axis points */
  int32_t FixAxisParShift;
  int32_t FixAxisParNumberapo;
  int32_t DepositMode;
} TAxisDescr;

/* One AXIS_DESCR of a TCharacteristic2: as TAxisDescr up to ExtendedLimitsUpper, then a
 * different tail that also carries AxisPointsMode (-1 none given, 0 DEPOSIT, 1 FIX_AXIS_PAR,
 * 2 FIX_AXIS_PAR_DIST, where FixAxisParShift holds the distance). */
typedef struct TAxisDescr2 {
  int32_t Attribute;
  char InputQuantity[ORDEX_TEXT_SIZE];
  char Conversion[ORDEX_TEXT_SIZE];
  int16_t MaxAxisPoints;
  TNumberText LowerLimit;
  TNumberText UpperLimit;
  int16_t ReadOnly;
  char Format[ORDEX_TEXT_SIZE];
  char AxisPtsRef[ORDEX_TEXT_SIZE];
  TNumberText ExtendedLimitsLower;
  TNumberText ExtendedLimitsUpper;
  int32_t DepositMode;
  int32_t AxisPointsMode;
  int32_t FixAxisParOffset;
  int32_t FixAxisParShift;
  int32_t FixAxisParNumberapo;
} TAxisDescr2;

/* A CHARACTERISTIC: filled by Ordex_GetCharacteristic, taken by Ordex_CreateCharacteristic
 * and Ordex_ChangeCharacteristic. Only the first Type axes are read or written (CURVE 1,
 * MAP 2, CUBOID 3, none for the other types); the getter leaves the other entries as the
 * caller had them. Annotations and IF_DATA entries are reached through their enumerators. */
typedef struct TCharacteristic {
  char Name[ORDEX_TEXT_SIZE];
  char LongIdentifier[ORDEX_TEXT_SIZE];
  int32_t Type; /* VALUE, CURVE, MAP, CUBOID, VAL_BLK, ASCII, NO_CHARACTERISTIC; -1 unknown */
  uint32_t Address;
  char Deposit[ORDEX_TEXT_SIZE]; /* name of the RECORD_LAYOUT */
  TNumberText MaxDiff;
  char Conversion[ORDEX_TEXT_SIZE]; /* name of the COMPU_METHOD */
  TNumberText LowerLimit;
  TNumberText UpperLimit;
  char Format[ORDEX_TEXT_SIZE];
  int32_t ByteOrder; /* a TByteOrder value; -1 unknown */
  uint32_t BitMask;  /* 0xFFFFFFFF = not set */
  int16_t Number;
  int16_t ReadOnly;
  TNumberText ExtendedLimitsLower;
  TNumberText ExtendedLimitsUpper;
  int32_t MaxRefreshScalingUnit; /* -1 = not set */
  int32_t MaxRefreshRate;
  TAxisDescr Axes[ORDEX_CHARACTERISTIC_AXES];
  uint32_t UserData;
} TCharacteristic;

/* The extended CHARACTERISTIC record of Ordex_GetCharacteristic2,
 * Ordex_CreateCharacteristic2 and Ordex_ChangeCharacteristic2: TCharacteristic with
 * TAxisDescr2 axes. */
typedef struct TCharacteristic2 {
  char Name[ORDEX_TEXT_SIZE];
  char LongIdentifier[ORDEX_TEXT_SIZE];
  int32_t Type;
  uint32_t Address;
  char Deposit[ORDEX_TEXT_SIZE];
  TNumberText MaxDiff;
  char Conversion[ORDEX_TEXT_SIZE];
  TNumberText LowerLimit;
  TNumberText UpperLimit;
  char Format[ORDEX_TEXT_SIZE];
  int32_t ByteOrder;
  uint32_t BitMask;
  int16_t Number;
  int16_t ReadOnly;
  TNumberText ExtendedLimitsLower;
  TNumberText ExtendedLimitsUpper;
  int32_t MaxRefreshScalingUnit;
  int32_t MaxRefreshRate;
  TAxisDescr2 Axes[ORDEX_CHARACTERISTIC_AXES];
  uint32_t UserData;
} TCharacteristic2;

/* An AXIS_PTS: filled by Ordex_GetAxisPts, taken by Ordex_CreateAxisPts and
 * Ordex_ChangeAxisPts. */
typedef struct TAxisPts {
  char Name[ORDEX_TEXT_SIZE];
  char LongIdentifier[ORDEX_TEXT_SIZE];
  uint32_t Address;
  char InputQuantity[ORDEX_TEXT_SIZE]; /* name of the input MEASUREMENT */
  char Deposit[ORDEX_TEXT_SIZE];       /* name of the RECORD_LAYOUT */
  TNumberText MaxDiff;
  char Conversion[ORDEX_TEXT_SIZE]; /* name of the COMPU_METHOD */
  int16_t MaxAxisPoints;
  TNumberText LowerLimit;
  TNumberText UpperLimit;
  int16_t ReadOnly;
  char Format[ORDEX_TEXT_SIZE];
  int32_t DepositMode; /* DIFFERENCE 0, ABSOLUTE 1; -1 not set */
  int32_t ByteOrder;   /* a TByteOrder value; -1 unknown */
  uint32_t UserData;
} TAxisPts;

/* ------------------------------------------------------------------------------------------
 * RECORD_LAYOUT
 * ------------------------------------------------------------------------------------------ */

/* One element of a record layout. Position is 1-based in the stored record; 0 (or below)
 * means the element is absent. DataType is a TDataType value, except in a RESERVED element,
 * where it holds the data size in bytes (1, 2 or 4). IndexMode is the FNC_VALUES index mode
 * (COLUMN_DIR 1, ROW_DIR 2) or the axis index increment (INDEX_INCR 1, INDEX_DECR 2);
 * Addressing is PBYTE 1 .. INDIRECT 5. Coded fields are -1 when not set. */
typedef struct TRecordLayoutElement {
  int16_t Position;
  int16_t MaxNumberOfRescalePairs; /* AXIS_RESCALE_x only */
  int32_t DataType;
  int32_t IndexMode;
  int32_t Addressing;
} TRecordLayoutElement;

/* A RECORD_LAYOUT in its short form: filled by Ordex_GetRecordLayout, taken by
 * Ordex_CreateRecordLayout and Ordex_ChangeRecordLayout. It carries only the elements named
 * here, flat (note that Position comes last in the AXIS_PTS_X and AXIS_PTS_Y groups); use
 * TRecordLayout2 for the others. A layout read from a file has an empty LongIdentifier. */
typedef struct TRecordLayout {
  char Name[ORDEX_TEXT_SIZE];
  char LongIdentifier[ORDEX_TEXT_SIZE];
  int16_t FncValuesPosition;
  int32_t FncValuesDataType;
  int32_t FncValuesIndexMode;
  int32_t FncValuesAddressing;
  int16_t IdentificationPosition;
  int32_t IdentificationDataType;
  int32_t AxisPtsXDataType;
  int32_t AxisPtsXIndexMode; /* index increment */
  int32_t AxisPtsXAddressing;
  int16_t AxisPtsXPosition;
  int32_t AxisPtsYDataType;
  int32_t AxisPtsYIndexMode;
  int32_t AxisPtsYAddressing;
  int16_t AxisPtsYPosition;
  int16_t NoAxisPtsXPosition;
  int32_t NoAxisPtsXDataType;
  int16_t NoAxisPtsYPosition;
  int32_t NoAxisPtsYDataType;
  int16_t FixNoAxisPtsX; /* 0 = not given */
  int16_t FixNoAxisPtsY;
  int16_t ShiftOpXPosition;
  int32_t ShiftOpXDataType;
  int16_t OffsetXPosition;
  int32_t OffsetXDataType;
  int16_t AlignmentByte;
  int16_t AlignmentWord;
  int16_t AlignmentLong;
  int16_t AlignmentFloat32Ieee;
  int16_t AlignmentFloat64Ieee;
  uint32_t UserData;
} TRecordLayout;

/* A RECORD_LAYOUT in full: filled by Ordex_GetRecordLayout2, taken by
 * Ordex_CreateRecordLayout2 and Ordex_ChangeRecordLayout2. Reserved holds the RESERVED
 * elements in file order (unused entries: Position 0, data size -1). Elements[k - 1] is the
 * element of kind k: 1 FNC_VALUES, 2 IDENTIFICATION, 3-5 AXIS_PTS_X/Y/Z,
 * 6-8 AXIS_RESCALE_X/Y/Z, 9-11 NO_AXIS_PTS_X/Y/Z, 12-14 NO_RESCALE_X/Y/Z,
 * 15-17 SRC_ADDR_X/Y/Z, 18-21 RIP_ADDR_X/Y/Z/W, 22-24 SHIFT_OP_X/Y/Z, 25-27 OFFSET_X/Y/Z,
 * 28-30 DIST_OP_X/Y/Z. */
typedef struct TRecordLayout2 {
  char Name[ORDEX_TEXT_SIZE];
  char LongIdentifier[ORDEX_TEXT_SIZE];
  TRecordLayoutElement Reserved[ORDEX_RECORD_LAYOUT_RESERVED];
  TRecordLayoutElement Elements[ORDEX_RECORD_LAYOUT_ELEMENTS];
  int16_t FixNoAxisPtsX;
  int16_t FixNoAxisPtsY;
  int16_t FixNoAxisPtsZ;
  int16_t AlignmentByte;
  int16_t AlignmentWord;
  int16_t AlignmentLong;
  int16_t AlignmentFloat32Ieee;
  int16_t AlignmentFloat64Ieee;
  uint32_t UserData;
} TRecordLayout2;

/* One entry of the array of ORDEX_SORTED_ELEMENTS entries that
 * Ordex_GetRecordLayoutElementArraySorted fills: entry i describes position i + 1.
 * ElementKind is 0 for RESERVED and the kind number of Elements (1 to 30) otherwise; -1
 * marks a position without element, whose Element is left as the caller had it. */
typedef struct TRecordLayoutElementExt {
  int32_t ElementKind;
  TRecordLayoutElement Element;
} TRecordLayoutElementExt;

/* ------------------------------------------------------------------------------------------
 * MEASUREMENT
 * ------------------------------------------------------------------------------------------ */

/* A MEASUREMENT: filled by Ordex_GetMeasurement, taken by Ordex_CreateMeasurement and
 * Ordex_ChangeMeasurement. A limit written in hexadecimal in the file comes back with an
 * empty Text and Value 0. Virtual names, annotations and IF_DATA entries are reached through
 * their enumerators. */
typedef struct TMeasurement {
  char Name[ORDEX_TEXT_SIZE];
  char LongIdentifier[ORDEX_TEXT_SIZE];
  int32_t DataType;                 /* a TDataType value; -1 unknown */
  char Conversion[ORDEX_TEXT_SIZE]; /* name of the COMPU_METHOD */
  int16_t Resolution;               /* also the byte count of a STRING measurement */
  TNumberText Accuracy;
  TNumberText LowerLimit;
  TNumberText UpperLimit;
  char Format[ORDEX_TEXT_SIZE];
  int32_t ArraySize;             /* 0 = not an array */
  uint32_t BitMask;              /* 0xFFFFFFFF = not set */
  int32_t ByteOrder;             /* a TByteOrder value; -1 unknown */
  int32_t MaxRefreshScalingUnit; /* -1 = not set */
  int32_t MaxRefreshRate;
  uint32_t EcuAddress; /* 0xFFFFFFFF = not set */
  uint32_t UserData;
} TMeasurement;

/* ------------------------------------------------------------------------------------------
 * COMPU_METHOD, COMPU_TAB and COMPU_VTAB
 * ------------------------------------------------------------------------------------------ */

/* A COMPU_METHOD: filled by Ordex_GetCompuMethod, taken by Ordex_CreateCompuMethod,
 * Ordex_ChangeCompuMethod, Ordex_RawToPhysDirect and Ordex_RawToPhysDirect2 (which use only
 * Format, Unit and the coefficient Values). ConversionType: TAB_INTP 0, TAB_NOINTP 1,
 * RAT_FUNC 2, FORM 3, TAB_VERB 4; -1 unknown. The types of later versions, IDENTICAL and
 * LINEAR (and any other word), read as -1 too: the library keeps the word as read, converts
 * IDENTICAL and LINEAR by it (see Conversion) and writes it back. COEFFS_LINEAR and
 * STATUS_STRING_REF are kept the same way and have no field here. A change that leaves
 * ConversionType at -1 keeps the word read; a created method has none. */
typedef struct TCompuMethod {
  char Name[ORDEX_TEXT_SIZE];
  char LongIdentifier[ORDEX_TEXT_SIZE];
  int32_t ConversionType;
  char Format[ORDEX_TEXT_SIZE];
  char Unit[ORDEX_TEXT_SIZE];
  char Formula[ORDEX_TEXT_SIZE];
  TNumberText Coeffs[6];             /* a to f of COEFFS */
  char CompuTabRef[ORDEX_TEXT_SIZE]; /* name of the COMPU_TAB or COMPU_VTAB */
  uint32_t UserData;
} TCompuMethod;

/* The extended COMPU_METHOD record of Ordex_GetCompuMethod2, Ordex_CreateCompuMethod2 and
 * Ordex_ChangeCompuMethod2: TCompuMethod with FormulaInv after Formula. */
typedef struct TCompuMethod2 {
  char Name[ORDEX_TEXT_SIZE];
  char LongIdentifier[ORDEX_TEXT_SIZE];
  int32_t ConversionType;
  char Format[ORDEX_TEXT_SIZE];
  char Unit[ORDEX_TEXT_SIZE];
  char Formula[ORDEX_TEXT_SIZE];
  char FormulaInv[ORDEX_TEXT_SIZE];
  TNumberText Coeffs[6];
  char CompuTabRef[ORDEX_TEXT_SIZE];
  uint32_t UserData;
} TCompuMethod2;

/* One pair of a TCompuTab: the raw input value and the output value, kept as written
 * (Out.Text) and as a number (Out.Value). */
typedef struct TCompuTabPair {
  int32_t InVal;
  TNumberText Out;
} TCompuTabPair;

/* A COMPU_TAB: filled by Ordex_GetCompuTab, taken by Ordex_CreateCompuTab and
 * Ordex_ChangeCompuTab. Only the first NumberValuePairs pairs are read or written; the getter
 * leaves the rest as the caller had them. ConversionType: TAB_INTP 0, TAB_NOINTP 1; -1
 * unknown. */
typedef struct TCompuTab {
  char Name[ORDEX_TEXT_SIZE];
  char LongIdentifier[ORDEX_TEXT_SIZE];
  int32_t ConversionType;
  int32_t NumberValuePairs;
  TCompuTabPair Pairs[ORDEX_COMPU_TAB_PAIRS];
  char DefaultValue[ORDEX_TEXT_SIZE];
  uint32_t UserData;
} TCompuTab;

/* One pair of a TCompuVTab: raw input value and output text. */
typedef struct TCompuVTabPair {
  int32_t InVal;
  char OutText[ORDEX_TEXT_SIZE];
} TCompuVTabPair;

/* A COMPU_VTAB: filled by Ordex_GetCompuVTab, taken by Ordex_CreateCompuVTab and
 * Ordex_ChangeCompuVTab. NumberValuePairs is the full count of the table, but only the first
 * ORDEX_COMPU_VTAB_PAIRS pairs travel in this record; larger tables are read with
 * Ordex_GetACompuVTabsLargeVTab (or pair by pair) and filled with
 * Ordex_ChangeACompuVTabsLargeVTab. ConversionType: TAB_VERB 4; -1 unknown. Input values may
 * be written as decimals, as files of later versions do: an integral one (1.0) reads as that
 * integer; one with a fraction (1.1) reads as InVal rounded half up (0.5 gives 1, -1.5 gives
 * -1, as conversions round raw values) and is written back as read, until a change replaces
 * the pairs. */
typedef struct TCompuVTab {
  char Name[ORDEX_TEXT_SIZE];
  char LongIdentifier[ORDEX_TEXT_SIZE];
  int32_t ConversionType;
  int32_t NumberValuePairs;
  TCompuVTabPair Pairs[ORDEX_COMPU_VTAB_PAIRS];
  char DefaultValue[ORDEX_TEXT_SIZE];
  uint32_t UserData;
} TCompuVTab;

/* One pair of a COMPU_VTAB by position, for Ordex_GetACompuVTabValueByIndex: the caller sets
 * Index (0-based), the library fills InVal and OutText. */
typedef struct TCompuVTabValue {
  uint32_t Index;
  int32_t InVal;
  char OutText[ORDEX_TEXT_SIZE];
} TCompuVTabValue;

/* One pair of a COMPU_VTAB of any size: an element of the caller's array for
 * Ordex_GetACompuVTabsLargeVTab and Ordex_ChangeACompuVTabsLargeVTab. From the getter,
 * OutText points to the library's own text (do not change or free it; valid until the table
 * is changed or removed or the instance is destroyed). For the change, it points to the
 * caller's text, which is copied whole. */
typedef struct TCompuVTabEntry {
  int32_t InVal;
  const char* OutText;
} TCompuVTabEntry;

/* ------------------------------------------------------------------------------------------
 * FUNCTION and VARIANT_CODING
 * ------------------------------------------------------------------------------------------ */

/* A FUNCTION: filled by Ordex_GetFunction, taken by Ordex_CreateFunction and
 * Ordex_ChangeFunction. Its name lists are read with the Ordex_GetAFuncsNext... enumerators
 * and edited with the add-to and remove-from operations. */
typedef struct TFunction {
  char Name[ORDEX_TEXT_SIZE];
  char LongIdentifier[ORDEX_TEXT_SIZE];
  uint32_t UserData;
} TFunction;

/* A VAR_CRITERION, filled by Ordex_GetVarCriterion. Its values are read with
 * Ordex_GetNextVarCriterionValue. */
typedef struct TVarCriterion {
  char Name[ORDEX_TEXT_SIZE];
  char LongIdentifier[ORDEX_TEXT_SIZE];
  char VarMeasurement[ORDEX_TEXT_SIZE];
  char VarSelectionCharacteristic[ORDEX_TEXT_SIZE];
} TVarCriterion;

/* One criterion/value pair of a VAR_FORBIDDEN_COMB, for
 * Ordex_GetAVarForbiddenCombsNextCriterion: CriterionName is the key (empty: the first pair)
 * and receives the next pair's criterion; it comes back empty after the last pair. */
typedef struct TVarCombCriterion {
  char CriterionName[ORDEX_TEXT_SIZE];
  char CriterionValue[ORDEX_TEXT_SIZE];
} TVarCombCriterion;

/* ------------------------------------------------------------------------------------------
 * IF_DATA entries and annotations
 * ------------------------------------------------------------------------------------------ */

/* One IF_DATA entry: Name is the interface name (the first word of the block), Content the
 * rest of the block, each token followed by one blank. Filled by the IF_DATA enumerators,
 * where Name is the key and Content points to the library's own text (do not change or free
 * it; valid until the entry is removed or its owner destroyed; null at the end of a walk).
 * Taken by the IF_DATA add-to operations, which copy the whole Content. */
typedef struct TIfDataRecord {
  char Name[ORDEX_TEXT_SIZE];
  const char* Content;
} TIfDataRecord;

/* One ANNOTATION with its text cut to ORDEX_ANNOTATION_TEXT_SIZE - 1 characters: filled by
 * the annotation enumerators without suffix 2 (Label, Origin and Text together are the key),
 * taken by the annotation add-to operations. */
typedef struct TAnnotationRecord {
  char Label[ORDEX_TEXT_SIZE];
  char Origin[ORDEX_TEXT_SIZE];
  char Text[ORDEX_ANNOTATION_TEXT_SIZE];
} TAnnotationRecord;

/* One ANNOTATION with its whole text, for the annotation enumerators with suffix 2. Text
 * points to the caller's buffer, which must hold Ordex_GetMaxAnnotationTextSize bytes; the
 * library writes the text into it (cut to fit that size) and never stores the pointer. */
typedef struct TAnnotationRecord2 {
  char Label[ORDEX_TEXT_SIZE];
  char Origin[ORDEX_TEXT_SIZE];
  char* Text;
} TAnnotationRecord2;

/* ------------------------------------------------------------------------------------------
 * Consistency check and referrers
 * ------------------------------------------------------------------------------------------ */

/* How much a finding of Ordex_CheckConsistency weighs. */
typedef enum TOrdexFindingSeverity {
  fsNote = 0,    /* worth knowing, not a fault */
  fsWarning = 1, /* probably a fault, or one the model cannot tell from a valid newer form */
  fsError = 2    /* a fault: a tool that takes the file will refuse it or misread it */
} TOrdexFindingSeverity;

/* What a finding is about. The numbers are stable: new codes get new numbers. The severity
 * given is the usual one; where a finding can also be valid newer content that the model
 * does not keep, it is a warning and its message says why. */
typedef enum TOrdexFindingCode {
  /* Error: a field names an object that the module does not define (Field names the field,
   * Value the name). Names are compared byte by byte, as the reference finder and the
   * conversion resolve them. A TAB_VERB method's COMPU_TAB_REF that names no COMPU_VTAB is
   * a warning: it may name a COMPU_VTAB_RANGE, which the model does not keep. A GROUP's
   * REF_CHARACTERISTIC (a CHARACTERISTIC or AXIS_PTS), REF_MEASUREMENT, SUB_GROUP (a GROUP of
   * the module) or FUNCTION_LIST entry too: Keyword "GROUP", Kind 0, Name the group's, Field
   * the list's keyword. */
  fcDanglingReference = 1,
  /* Error: a reference that must be given is empty: the COMPU_TAB_REF of a TAB_INTP,
   * TAB_NOINTP or TAB_VERB method, the AXIS_PTS_REF of a COM_AXIS axis. */
  fcMissingReference = 2,
  /* Error: a second object of the same kind and name in the module (Value: the name); a
   * lookup finds only the first. One finding for each object after the first. */
  fcDuplicateName = 3,
  /* Error: a lower limit above its upper limit (LowerLimit/UpperLimit, ExtendedLimits, an
   * axis's limits; Field names the lower one). */
  fcLimitsReversed = 4,
  /* Warning: a limit lies outside what the data type can hold, seen through the conversion
   * (checked for NO_COMPU_METHOD and for a RAT_FUNC whose inverse is linear; a limit may lie
   * outside by half a raw step). The data type of a characteristic is that of the FNC_VALUES
   * of its record layout, of an axis or axis points that of AXIS_PTS_X (Y, Z). */
  fcLimitOutsideDataType = 5,
  /* Error: a count of 0 or below where at least one is needed: MAX_AXIS_POINTS of an axis or
   * of axis points, NUMBER of a VAL_BLK or ASCII characteristic. A NUMBER of 0 in a file of
   * ASAP2 1.60 or later is a warning: MATRIX_DIM, which the model does not keep, may give the
   * size instead. */
  fcCountZero = 6,
  /* Error: MAX_AXIS_POINTS and the record layout disagree: it is above what the layout's
   * NO_AXIS_PTS_x data type can count, or below the layout's FIX_NO_AXIS_PTS_x. */
  fcCountBeyondLayout = 7,
  /* Warning: the address of a CHARACTERISTIC or AXIS_PTS is 0xFFFFFFFF, the value of an
   * address not set. */
  fcAddressNotSet = 8,
  /* Error: a COMPU_TAB or COMPU_VTAB holds fewer value pairs than it declares (Value: the
   * declared count). */
  fcTablePairCount = 9,
  /* Note: a CHARACTERISTIC, MEASUREMENT or AXIS_PTS that no FUNCTION list names (given only
   * for modules that hold at least one FUNCTION). */
  fcNotInFunction = 10,
  /* Note: a COMPU_METHOD, COMPU_TAB, COMPU_VTAB or RECORD_LAYOUT that no object refers to. */
  fcNotReferenced = 11,
  /* Error: a CURVE, MAP or CUBOID with fewer AXIS_DESCR blocks than its type has axes (Field:
   * the first axis missing). */
  fcAxisMissing = 12,
  /* Warning: a block or keyword that is no keyword of the standard up to ASAP2 1.7.1 (a
   * likely typo such as "/begin GROUPP"); the reader kept it as text and a tool that takes
   * the file may refuse it. Field: the modelled block it stands in ("AXIS_DESCR"), empty
   * directly in the object; Value: the keyword. The message names its file and line and,
   * when one lies within two edits, the keyword probably meant. Found for objects and
   * module scopes read from text (Kind etModule and the module's name for the latter);
   * IF_DATA and A2ML bodies are not looked into. */
  fcUnknownKeyword = 13
} TOrdexFindingCode;

/* Bytes of the Message field of TCheckFinding (terminator included). */
#define ORDEX_FINDING_MESSAGE_SIZE 512

/* One finding of Ordex_CheckConsistency, handed to its callback; valid only during the
 * call. Name, Module, Keyword (the object's block: "MEASUREMENT", "VAR_CRITERION") and Kind
 * (its TOrdexElementType, 0 for VAR_CHARACTERISTIC and VAR_CRITERION, which have none) say
 * which object it is about. Field names its field as the public records do ("Conversion",
 * "Axes[1].InputQuantity"), or a list by its keyword ("DEF_CHARACTERISTIC"), empty when the
 * finding concerns the whole object; Value holds the text at fault (a name, a limit as
 * written, a count). Message is one line of English that names neither the object nor the
 * module, such as "Conversion names CM_X, but no COMPU_METHOD of that name exists". Texts
 * are cut to fit. */
typedef struct TCheckFinding {
  char Name[ORDEX_TEXT_SIZE];
  char Module[ORDEX_TEXT_SIZE];
  char Keyword[ORDEX_TEXT_SIZE];
  int32_t Kind;
  int32_t Severity; /* a TOrdexFindingSeverity */
  int32_t Code;     /* a TOrdexFindingCode */
  char Field[ORDEX_TEXT_SIZE];
  char Value[ORDEX_TEXT_SIZE];
  char Message[ORDEX_FINDING_MESSAGE_SIZE];
} TCheckFinding;

/* One object that refers to a name, handed to the callback of Ordex_GetReferrers; valid only
 * during the call. Name is the referring object, Keyword its block ("CHARACTERISTIC",
 * "FUNCTION", "VAR_CRITERION"), Kind its TOrdexElementType (0 for VAR_CHARACTERISTIC and
 * VAR_CRITERION, which have none). Field is the field that holds the name, spelt as in
 * TCheckFinding. TargetKinds is the mask of the kinds the field names: one kind, or for the
 * COMPU_TAB_REF of a method whose type names no table kind COMPU_TAB | COMPU_VTAB. */
typedef struct TReferrer {
  char Name[ORDEX_TEXT_SIZE];
  char Keyword[ORDEX_TEXT_SIZE];
  char Field[ORDEX_TEXT_SIZE];
  int32_t Kind;
  int32_t TargetKinds;
} TReferrer;

/* Bytes of the path and line fields of TReadFailure (terminator included). */
#define ORDEX_READ_FAILURE_TEXT_SIZE 1024

/* Where the last read failed, filled by Ordex_GetReadFailure. File is the file being read
 * when the read failed: an included file, not the top file, when the failure lies in one
 * (its name as it was opened). Line and Column (1-based; the column counts bytes, a tab as
 * one) place the token at fault in that file; 0 when no place is known (a file that cannot
 * be opened). Token is that token as read (empty at the end of the input), Expected what
 * the reader expected in its place ("a hexadecimal number", "/end MEASUREMENT", empty when
 * there is nothing to say), ObjectPath the object being read ("PROJECT P, MODULE M,
 * MEASUREMENT m", as the error report names it) and SourceLine the text of that line. For
 * a nesting error BlockFile, BlockLine and BlockColumn tell where the block that was left
 * open began (empty and 0 otherwise). Texts are cut to fit. */
typedef struct TReadFailure {
  int32_t ReturnCode; /* the read's result: 0 after a read that succeeded */
  int32_t Line;
  int32_t Column;
  int32_t BlockLine;
  int32_t BlockColumn;
  char File[ORDEX_READ_FAILURE_TEXT_SIZE];
  char Token[ORDEX_TEXT_SIZE];
  char Expected[ORDEX_TEXT_SIZE];
  char ObjectPath[ORDEX_READ_FAILURE_TEXT_SIZE];
  char BlockFile[ORDEX_READ_FAILURE_TEXT_SIZE];
  char SourceLine[ORDEX_READ_FAILURE_TEXT_SIZE];
} TReadFailure;

/* ORDEX_RECORDS_END */

/* ==========================================================================================
 * Lifecycle and settings
 *
 * An instance holds at most one project, read from a file or built with the create
 * operations. Several instances may live side by side, but the settings below and the
 * enumerators' positions are shared by the whole process.
 * ========================================================================================== */

/* Creates an instance and stores it in *instance; the caller owns it and frees it with
 * Ordex_DestroyInstance. -103 when it cannot be allocated (null is stored then). */
ORDEX_API TOrdexReturnCode Ordex_CreateInstance(TOrdex** instance);
ORDEX_API TOrdexReturnCode Ordex_CreateInstance_Intern(TOrdex** instance);

/* Calls the destructor callback, if any (the project still exists while it runs), then
 * frees the instance with its project. -103 for a null instance; -1, and nothing is freed,
 * when called from the progress callback of a read into this instance, from a callback of
 * Ordex_WriteAsapFile writing it, or from this instance's own destructor callback (the
 * destruction under way goes on and frees it). */
ORDEX_API TOrdexReturnCode Ordex_DestroyInstance(TOrdex* instance);
ORDEX_API TOrdexReturnCode Ordex_DestroyInstance_Intern(TOrdex* instance);

/* Stores the callback that Ordex_DestroyInstance calls, replacing an earlier one (null: no
 * callback). -103 for a null instance. */
ORDEX_API TOrdexReturnCode
Ordex_RegisterInstanceDestructorCbFunc(TOrdex* instance, TOrdexInstanceDestructorCallback callback);

/* Does nothing; returns 0. */
ORDEX_API TOrdexReturnCode Ordex_GarbageCollection(void);

/* Process-wide, no result: 0 compares names byte by byte, non-zero ignores the letter case of the
 * ASCII letters (bytes above 127 always compare exactly). Applies to lookups by name and
 * the names that lists and enumerators continue after; keywords, wildcard patterns, the
 * writer's module filter and the reference finder always compare exactly. */
ORDEX_API void Ordex_ConfigureStringComparison(int mode);

/* Process-wide. Mode 0 unloads the file-access module (fileName is not looked at). Mode 1
 * unloads any loaded module, loads fileName (a name without "/" is looked for in the
 * current directory first) and resolves its four entry points; from then on every A2L
 * read and Ordex_GetAsapFilePreInfo go through the module, which is given the top file's
 * name and each include name with its quotes removed. -4 when the module cannot be loaded
 * (no module is in use then), -7 when an entry point is missing (the module stays loaded
 * but unused and reads use plain files). Any other mode, or a call from the progress
 * callback of a running read: -1 and nothing changes. */
ORDEX_API TOrdexReturnCode Ordex_SetFileAccessDll(int mode, const char* fileName);
ORDEX_API TOrdexReturnCode Ordex_SetFileAccessDll_Intern(int mode, const char* fileName);

/* ==========================================================================================
 * Reading
 * ========================================================================================== */

/* Reads an A2L file with its "/include" files into the instance. unused is not looked at.
 * The file must be a plain file: a folder, FIFO or device gives -4 (so does any file the
 * file-access module in use refuses). An include name is opened as written, relative to
 * the current directory; a relative name that is not found there is tried in the folder of
 * the file that names it. Every "/include" outside A2ML is followed, also one right behind
 * an "/end A2ML"; one written in another letter case is not (see
 * Ordex_GetReadAsapFileOtherCaseIncludes). A UTF-8 byte-order mark at the start of any file
 * is skipped. A token that runs into the end of the top file (no whitespace or closed comment
 * after it) is lost; the end of an included file ends a token, as the including file goes on
 * behind it.
 * The progress callback (may be null) is called at every "/begin", before that block is
 * read, with the percentage of the top file read so far; a non-zero answer stops the read
 * with 1. It must not start another read (-1) or unload the file-access module (-1).
 * The instance's project is replaced when the file's PROJECT block begins: a read that
 * fails or is stopped before that leaves the earlier project in place. Results: 0; 1;
 * -103; -3; -4 the file cannot be opened; -6 an include cannot be opened, is named as NULL
 * or "", or includes nest more than nine deep (a file including itself ends so), or the file
 * gives no module while it holds an include in another letter case; -101 block nesting (also
 * an IF_DATA whose "/end" closes none of its blocks, as a misspelt "/end IF_DATX" does); -102
 * a block outside its parent; -122 a bad number; -1 a read is already running, or the call
 * comes from a callback of a write of this instance. After a failure, every file is closed,
 * what was read so far stays in the project and Ordex_GetReadAsapFileError describes where the read stopped. */
ORDEX_API TOrdexReturnCode Ordex_ReadAsapFile(TOrdex* instance, const char* fileName,
                                              const char* unused, TOrdexProgressCallback progress);
ORDEX_API TOrdexReturnCode Ordex_ReadAsapFile_Intern(TOrdex* instance, const char* fileName,
                                                     const char* unused,
                                                     TOrdexProgressCallback progress);

/* Options of the reads into an instance. */
#define ORDEX_READ_WITHOUT_SOURCE 0x1u /* do not keep the files' text for a preserving write */

/* Sets the options of later reads into the instance (0 by default: a read keeps the bytes
 * of every file it reads, about the size of those files in memory, for
 * Ordex_WriteAsapFilePreserving). A read without the text needs less memory; a preserving
 * write of what it read writes the canonical layout. Returns 0; -103 a null instance; -1 an
 * unknown option bit (nothing changes). */
ORDEX_API TOrdexReturnCode Ordex_SetReadOptions(TOrdex* instance, uint32_t options);

/* Describes the last read in buffer (size bytes, zero-filled first; nothing is written for
 * a size below 1): "No error detected" (also before the first read), or "Error detected
 * (near to line N): Actually parsed object: ..." with the line the reader had reached (it
 * reads three tokens ahead; line feeds of included files count too), the path of the
 * object being read and, when one was closed, "; Last parsed object: ...". That text is
 * cut to size - 2 characters. A read of a file that cannot be opened keeps the line of
 * the read before it but names no object. -103 for a null instance; -205 for a null
 * buffer with a size of 1 or more. */
ORDEX_API TOrdexReturnCode Ordex_GetReadAsapFileError(TOrdex* instance, char* buffer, int size);
ORDEX_API TOrdexReturnCode Ordex_GetReadAsapFileError_Intern(TOrdex* instance, char* buffer,
                                                             int size);

/* Fills the caller's record with the place of the last read's failure (the record is
 * cleared first): after a read that succeeded, and before the first read, ReturnCode is 0
 * and every other field empty. The place is exact however the read was made; a read made
 * without keeping the text (ORDEX_READ_WITHOUT_SOURCE), and a read that failed on a block
 * left open, read the text again up to the failure to find it, so a failed read may take up
 * to twice as long. -103 for a null instance, -205 for a null record. */
ORDEX_API TOrdexReturnCode Ordex_GetReadFailure(TOrdex* instance, TReadFailure* failure);

/* The "/include" tokens written in another letter case ("/INCLUDE", "/Include") that the
 * last read of the instance met outside A2ML: *count of them and *firstLine, the line of the
 * first (line feeds of included files count, as in the error report); 0 and 0 when there
 * were none or before the first read. The reader follows only "/include" exactly as written
 * and passes such a token and its file name on like any other tokens, so the file it names
 * is not read: a host should tell its user. A read whose file gives no module at all while
 * it holds such a token fails with -6 at that token's line, rather than succeeding empty.
 * -103 null instance, -205 a null output. */
ORDEX_API TOrdexReturnCode Ordex_GetReadAsapFileOtherCaseIncludes(TOrdex* instance, int32_t* count,
                                                                  int32_t* firstLine);

/* Scans the head of a file (the lines before the first line holding "/begin") for the two
 * numbers after ASAP2_VERSION (0 when absent; a later line overwrites) and the first line
 * holding a block-comment opener, copied with its line feed and cut to 255 characters.
 * Lines longer than 299 characters are scanned in pieces of 299. A UTF-8 byte-order mark
 * is skipped. headComment must hold 256 bytes. The outputs are cleared first. -4 when the
 * file cannot be opened, -205 for a null output. */
ORDEX_API TOrdexReturnCode Ordex_GetAsapFilePreInfo(const char* fileName, int* version,
                                                    int* upgrade, char* headComment);
ORDEX_API TOrdexReturnCode Ordex_GetAsapFilePreInfo_Intern(const char* fileName, int* version,
                                                           int* upgrade, char* headComment);

/* ==========================================================================================
 * Getters
 *
 * A getter finds the object named by the record's Name (under the comparison mode; the
 * first of that name in file order) and fills every other field. With existenceOnly
 * non-zero it only tests that the object exists and leaves the record as it is. A null
 * moduleName means the only module of the project. The record belongs to the caller and
 * receives copies, except where a record field is a pointer (it then points to the
 * library's own text, see the record). Every getter gives -103 for a null instance, -205
 * for a null record, -104 without project, -105 when the module is not found and the
 * kind's not-found code when no object has the name.
 * ========================================================================================== */

/* Fills every field of the project record, Name included. -104 without project. */
ORDEX_API TOrdexReturnCode Ordex_GetProject(TOrdex* instance, TProject* record, int existenceOnly);

/* The module named by record->Name; an empty Name selects the only module and receives its
 * name. -104 without project, -105 when no such module exists (or, with an empty Name, when
 * the project does not hold exactly one module). */
ORDEX_API TOrdexReturnCode Ordex_GetModule(TOrdex* instance, TModule* record, int existenceOnly);

/* The MEMORY_SEGMENT or MEMORY_LAYOUT named by record->Name (layouts are named "1", "2",
 * ...). -205 for a null record, -105 no such module, -106 no such entry. */
ORDEX_API TOrdexReturnCode Ordex_GetMemorySegment(TOrdex* instance, const char* moduleName,
                                                  TMemorySegment* record, int existenceOnly);

/* The CALIBRATION_METHOD named by record->Name: its version and number of handles. -205
 * for a null record, -105 no such module, -123 no such method. */
ORDEX_API TOrdexReturnCode Ordex_GetCalibrationMethod(TOrdex* instance, const char* moduleName,
                                                      TCalibrationMethod* record,
                                                      int existenceOnly);

/* Stores in *numValues how many numbers the handle at handleIndex (from 0) of the method
 * holds. -205 for a null numValues or methodName, -105, -123, -204 when handleIndex is not
 * below the method's HandleCount. */
ORDEX_API TOrdexReturnCode Ordex_GetCalibrationHandleNumValues(TOrdex* instance,
                                                               const char* moduleName,
                                                               const char* methodName,
                                                               uint32_t handleIndex,
                                                               int* numValues);

/* Copies the first min(number of values, maxValues) numbers of the handle at handleIndex
 * into the caller's array values (maxValues 0 copies nothing). Codes as
 * Ordex_GetCalibrationHandleNumValues; -205 also for a null values. */
ORDEX_API TOrdexReturnCode Ordex_GetCalibrationHandleValues(TOrdex* instance,
                                                            const char* moduleName,
                                                            const char* methodName,
                                                            uint32_t handleIndex,
                                                            uint32_t maxValues, int* values);

/* The SYSTEM_CONSTANT named by record->Name: record->Value receives a pointer to the
 * library's own value text (see TSystemConstant). -205 for a null record, -105 no such
 * module, -116 no such constant. */
ORDEX_API TOrdexReturnCode Ordex_GetSystemConstant(TOrdex* instance, const char* moduleName,
                                                   TSystemConstant* record, int existenceOnly);

/* The RECORD_LAYOUT named by record->Name, in the short form (only the elements that record
 * names) or in full with RESERVED entries and all 30 element kinds. -105 no such module,
 * -114 no such record layout, -205 a null record. */
ORDEX_API TOrdexReturnCode Ordex_GetRecordLayout(TOrdex* instance, const char* moduleName,
                                                 TRecordLayout* record, int existenceOnly);
ORDEX_API TOrdexReturnCode Ordex_GetRecordLayout2(TOrdex* instance, const char* moduleName,
                                                  TRecordLayout2* record, int existenceOnly);

/* The elements of the RECORD_LAYOUT recordLayoutName placed by position into the caller's
 * array of ORDEX_SORTED_ELEMENTS entries: entry i holds the element at position i + 1, or
 * ElementKind -1 (its Element left as it was). When elements share a position the later
 * one wins: RESERVED entries in stored order, then the kinds 1 to 30 in kind order.
 * Positions above ORDEX_SORTED_ELEMENTS are skipped. -105 no such module, -114 no such
 * record layout (the array is then untouched), -205 a null name or array. The _Intern form
 * takes the internal record; -205 when either pointer is null. */
ORDEX_API TOrdexReturnCode Ordex_GetRecordLayoutElementArraySorted(
    TOrdex* instance, const char* moduleName, const char* recordLayoutName,
    TRecordLayoutElementExt* elements);
ORDEX_API TOrdexReturnCode Ordex_GetRecordLayoutElementArraySorted_Intern(
    TRecordLayout_Intern* recordLayout, TRecordLayoutElementExt* elements);

/* The COMPU_METHOD named by record->Name; Ordex_GetCompuMethod2 adds FormulaInv. -105 no such
 * module, -110 no such compu method, -205 a null record. */
ORDEX_API TOrdexReturnCode Ordex_GetCompuMethod(TOrdex* instance, const char* moduleName,
                                                TCompuMethod* record, int existenceOnly);
ORDEX_API TOrdexReturnCode Ordex_GetCompuMethod2(TOrdex* instance, const char* moduleName,
                                                 TCompuMethod2* record, int existenceOnly);

/* The COMPU_TAB named by record->Name. Writes NumberValuePairs (a file that declares more
 * than 256 pairs gives 256) and that many pairs, a declared pair missing from the file as
 * InVal 0 with an empty text and 0.0; the caller's further entries are left untouched.
 * -105, -111 no such compu tab, -205 a null record. */
ORDEX_API TOrdexReturnCode Ordex_GetCompuTab(TOrdex* instance, const char* moduleName,
                                             TCompuTab* record, int existenceOnly);

/* The COMPU_VTAB named by record->Name: NumberValuePairs is the table's full count, but at
 * most the first ORDEX_COMPU_VTAB_PAIRS pairs are written (the others are left untouched).
 * A table read from a file counts the pairs the file holds, whatever count it declares (a
 * declared 2147483647 over two pairs gives 2), so an array sized by NumberValuePairs always
 * fits the table; a table created or changed through the interface keeps the count it was
 * given. -105, -112 no such compu vtab, -205 a null record. */
ORDEX_API TOrdexReturnCode Ordex_GetCompuVTab(TOrdex* instance, const char* moduleName,
                                              TCompuVTab* record, int existenceOnly);

/* Pair value->Index (0-based) of the COMPU_VTAB vtabName, of any size: fills InVal and
 * OutText. -1 when Index is not below the table's NumberValuePairs (always for a table
 * without pairs), -105, -112, -205 a null vtabName or value. */
ORDEX_API TOrdexReturnCode Ordex_GetACompuVTabValueByIndex(TOrdex* instance,
                                                           const char* moduleName,
                                                           const char* vtabName,
                                                           TCompuVTabValue* value);

/* Every pair of the COMPU_VTAB vtabName into entries, which must hold NumberValuePairs
 * elements (see Ordex_GetCompuVTab); a table without pairs writes nothing. OutText points to
 * the library's own text, uncut: do not change or free it; it stays valid until the table is
 * changed or removed or the instance is destroyed. -1 for a null entries array, -105, -112,
 * -205 a null vtabName. */
ORDEX_API TOrdexReturnCode Ordex_GetACompuVTabsLargeVTab(TOrdex* instance, const char* moduleName,
                                                         const char* vtabName,
                                                         TCompuVTabEntry* entries);

/* The CHARACTERISTIC named by record->Name. Of the three axis entries only the first Type
 * are written (CURVE 1, MAP 2, CUBOID 3); for every other type the caller's axis entries
 * stay as they were. -103, -105 no such module, -107 no such characteristic, -205 for a
 * null record. */
ORDEX_API TOrdexReturnCode Ordex_GetCharacteristic(TOrdex* instance, const char* moduleName,
                                                   TCharacteristic* record, int existenceOnly);

/* The same with the extended record, whose axes also carry AxisPointsMode. */
ORDEX_API TOrdexReturnCode Ordex_GetCharacteristic2(TOrdex* instance, const char* moduleName,
                                                    TCharacteristic2* record,
                                                    int existenceOnly);

/* The AXIS_PTS named by record->Name. -103, -105, -113 no such axis points object, -205. */
ORDEX_API TOrdexReturnCode Ordex_GetAxisPts(TOrdex* instance, const char* moduleName,
                                            TAxisPts* record, int existenceOnly);

/* The MEASUREMENT named by record->Name. A limit written in hexadecimal comes back with an
 * empty Text and Value 0. -103, -105, -108 no such measurement, -205. */
ORDEX_API TOrdexReturnCode Ordex_GetMeasurement(TOrdex* instance, const char* moduleName,
                                                TMeasurement* record, int existenceOnly);

/* The FUNCTION named by record->Name: its LongIdentifier and UserData. -103, -105, -109 no
 * such function, -205. */
ORDEX_API TOrdexReturnCode Ordex_GetFunction(TOrdex* instance, const char* moduleName,
                                             TFunction* record, int existenceOnly);

/* The VAR_CRITERION named by record->Name: LongIdentifier, VarMeasurement and
 * VarSelectionCharacteristic. -105, -120 no such criterion, -205 for a null record. */
ORDEX_API TOrdexReturnCode Ordex_GetVarCriterion(TOrdex* instance, const char* moduleName,
                                                 TVarCriterion* record, int existenceOnly);

/* ==========================================================================================
 * Lists and enumerators
 *
 * List operations write names as a multi-string: each name followed by a zero byte, the
 * whole closed by one more zero byte (an empty result is a single zero byte). Only names
 * matching the wildcard pattern are listed ("*" any run, "?" one character, letter case
 * significant; null matches all). With a non-null `after`, listing starts behind the first
 * record of that name (none when it is not in the list). A name of L characters is written
 * only while the bytes already written plus L + 4 fit the buffer; a cut list is not
 * reported: call again with the last name received as `after`. Buffers and names belong to
 * the caller. Every list and enumerator gives -103 for a null instance and -205 for a null
 * buffer or name; lists give -203 for a size below 1.
 * Object names are kept up to 1023 characters and listed in full, but the getters, change
 * and remove operations look objects up by a Name field of ORDEX_TEXT_SIZE bytes: an object
 * whose name is longer than 255 characters is listed and written, but no getter reaches it
 * (`ordex check` reports such names).
 *
 * Enumerators return one name or member per call and remember where they stand (see the
 * next-name enumerators below); lists return many names per call and remember nothing.
 * ========================================================================================== */

/* Names of the project's modules. -104 without project, -203 for a size below 1. */
ORDEX_API TOrdexReturnCode Ordex_GetModuleList(TOrdex* instance, char* buffer, int size,
                                               const char* after, const char* pattern);

/* Names of the objects of one kind in a module (null moduleName: the only module).
 * -105 module not found, -203 for a size below 1. The memory segment list holds the
 * MEMORY_LAYOUT entries too (named "1", "2", ... in file order). */
ORDEX_API TOrdexReturnCode Ordex_GetMemorySegmentList(TOrdex* instance, const char* moduleName,
                                                      char* buffer, int size, const char* after,
                                                      const char* pattern);
ORDEX_API TOrdexReturnCode Ordex_GetCharacteristicList(TOrdex* instance, const char* moduleName,
                                                       char* buffer, int size, const char* after,
                                                       const char* pattern);
ORDEX_API TOrdexReturnCode Ordex_GetMeasurementList(TOrdex* instance, const char* moduleName,
                                                    char* buffer, int size, const char* after,
                                                    const char* pattern);
ORDEX_API TOrdexReturnCode Ordex_GetFunctionList(TOrdex* instance, const char* moduleName,
                                                 char* buffer, int size, const char* after,
                                                 const char* pattern);
ORDEX_API TOrdexReturnCode Ordex_GetCompuMethodList(TOrdex* instance, const char* moduleName,
                                                    char* buffer, int size, const char* after,
                                                    const char* pattern);
ORDEX_API TOrdexReturnCode Ordex_GetCompuTabList(TOrdex* instance, const char* moduleName,
                                                 char* buffer, int size, const char* after,
                                                 const char* pattern);
ORDEX_API TOrdexReturnCode Ordex_GetCompuVTabList(TOrdex* instance, const char* moduleName,
                                                  char* buffer, int size, const char* after,
                                                  const char* pattern);
ORDEX_API TOrdexReturnCode Ordex_GetAxisPtsList(TOrdex* instance, const char* moduleName,
                                                char* buffer, int size, const char* after,
                                                const char* pattern);
ORDEX_API TOrdexReturnCode Ordex_GetRecordLayoutList(TOrdex* instance, const char* moduleName,
                                                     char* buffer, int size, const char* after,
                                                     const char* pattern);

/* Next-name enumerators. `name` (256 bytes) is in and out: start with an empty name, call
 * until it comes back empty. Each call returns the next name matching the pattern (null:
 * all) after the one in `name`. Each enumerator remembers its position process-wide, so a
 * step costs O(1) while nothing else moved it; after another instance or a removal moved
 * or cleared it, the step continues after the first entry named `name` (a name not in the
 * list ends the walk at once). Enumerations must not run concurrently. -104 without
 * project (modules), -105 module not found. */
ORDEX_API TOrdexReturnCode Ordex_GetNextModuleName(TOrdex* instance, char* name,
                                                   const char* pattern);
ORDEX_API TOrdexReturnCode Ordex_GetNextCalibrationMethodName(TOrdex* instance,
                                                              const char* moduleName, char* name,
                                                              const char* pattern);
ORDEX_API TOrdexReturnCode Ordex_GetNextMemorySegmentName(TOrdex* instance, const char* moduleName,
                                                          char* name, const char* pattern);
ORDEX_API TOrdexReturnCode Ordex_GetNextCharacteristicName(TOrdex* instance, const char* moduleName,
                                                           char* name, const char* pattern);
ORDEX_API TOrdexReturnCode Ordex_GetNextMeasurementName(TOrdex* instance, const char* moduleName,
                                                        char* name, const char* pattern);
ORDEX_API TOrdexReturnCode Ordex_GetNextFunctionName(TOrdex* instance, const char* moduleName,
                                                     char* name, const char* pattern);
ORDEX_API TOrdexReturnCode Ordex_GetNextCompuMethodName(TOrdex* instance, const char* moduleName,
                                                        char* name, const char* pattern);
ORDEX_API TOrdexReturnCode Ordex_GetNextCompuTabName(TOrdex* instance, const char* moduleName,
                                                     char* name, const char* pattern);
ORDEX_API TOrdexReturnCode Ordex_GetNextCompuVTabName(TOrdex* instance, const char* moduleName,
                                                      char* name, const char* pattern);
ORDEX_API TOrdexReturnCode Ordex_GetNextAxisPtsName(TOrdex* instance, const char* moduleName,
                                                    char* name, const char* pattern);
ORDEX_API TOrdexReturnCode Ordex_GetNextRecordLayoutName(TOrdex* instance, const char* moduleName,
                                                         char* name, const char* pattern);

/* Stores in *count the number of objects of the kinds selected by mask (etMemorySegment,
 * etSystemConstant, etCharacteristic, etMeasurement, etFunction, etCompuMethod, etCompuTab,
 * etCompuVTab, etRecordLayout, etAxisPts; other bits are ignored). -105, -205 null count.
 * The _Intern form takes the internal module record (-105 when it is null). */
ORDEX_API TOrdexReturnCode Ordex_GetNumObjects(TOrdex* instance, const char* moduleName, int mask,
                                               int* count);
ORDEX_API TOrdexReturnCode Ordex_GetNumObjects_Intern(TModule_Intern* module, int mask, int* count);

/* ------------------------------------------------------------------------------------------
 * Member enumerators: the members of one object, one per call
 *
 * They work like the next-name enumerators: the key field (or fields) is in and out; start
 * with it empty, call until it comes back empty. The owner is looked up first (the first
 * object of that name under the comparison mode). A stored text longer than its field comes
 * back cut to the field and is still recognised as the key of the next call. Positions are
 * process-wide; enumerators that share one may be interleaved (each then continues after
 * the first entry bearing its key, which is slower). An entry removed while a walk stands on
 * it ends that walk at the next call.
 * ------------------------------------------------------------------------------------------ */

/* The names of one list of the FUNCTION functionName: DEF_CHARACTERISTIC, REF_CHARACTERISTIC
 * (one shared position), OUT_MEASUREMENT, IN_MEASUREMENT, LOC_MEASUREMENT (one shared
 * position), SUB_FUNCTION, and the function's AXIS_PTS list. `name` is 256 bytes. -109 when
 * the module or the function is not found, -205 for a null functionName or name. */
ORDEX_API TOrdexReturnCode Ordex_GetAFuncsNextDefChaName(TOrdex* instance, const char* moduleName,
                                                         const char* functionName, char* name);
ORDEX_API TOrdexReturnCode Ordex_GetAFuncsNextRefChaName(TOrdex* instance, const char* moduleName,
                                                         const char* functionName, char* name);
ORDEX_API TOrdexReturnCode Ordex_GetAFuncsNextOutMeaName(TOrdex* instance, const char* moduleName,
                                                         const char* functionName, char* name);
ORDEX_API TOrdexReturnCode Ordex_GetAFuncsNextInMeaName(TOrdex* instance, const char* moduleName,
                                                        const char* functionName, char* name);
ORDEX_API TOrdexReturnCode Ordex_GetAFuncsNextLocMeaName(TOrdex* instance, const char* moduleName,
                                                         const char* functionName, char* name);
ORDEX_API TOrdexReturnCode Ordex_GetAFuncsNextSubFuncName(TOrdex* instance,
                                                          const char* moduleName,
                                                          const char* functionName, char* name);
ORDEX_API TOrdexReturnCode Ordex_GetAFuncsNextAxisPtsName(TOrdex* instance,
                                                          const char* moduleName,
                                                          const char* functionName, char* name);

/* The VIRTUAL names of a MEASUREMENT. Shares its position with the three variant-coding
 * member enumerators below. -105, -108, -205 for a null measurementName or name. */
ORDEX_API TOrdexReturnCode Ordex_GetAMeasNextVirtual(TOrdex* instance, const char* moduleName,
                                                     const char* measurementName, char* name);

/* The SYSTEM_CONSTANTs of the module: record->Name is the key, record->Value points to the
 * library's own text (see TSystemConstant; null at the end). This and the six IF_DATA
 * enumerators below share one position. -105, -205 for a null record. */
ORDEX_API TOrdexReturnCode Ordex_GetNextSystemConstant(TOrdex* instance, const char* moduleName,
                                                       TSystemConstant* record);

/* IF_DATA entries of the module itself, of a MEMORY_SEGMENT or MEMORY_LAYOUT, a
 * CHARACTERISTIC, a MEASUREMENT or an AXIS_PTS: record->Name is the key, record->Content
 * points to the library's own text (see TIfDataRecord; null at the end). -105, the owner's
 * not-found code (-106, -107, -108, -113), -205 for a null owner name or record. */
ORDEX_API TOrdexReturnCode Ordex_GetAModulesNextIfData(TOrdex* instance, const char* moduleName,
                                                       TIfDataRecord* record);
ORDEX_API TOrdexReturnCode Ordex_GetAMemSegsNextIfData(TOrdex* instance, const char* moduleName,
                                                       const char* segmentName,
                                                       TIfDataRecord* record);
ORDEX_API TOrdexReturnCode Ordex_GetAChasNextIfData(TOrdex* instance, const char* moduleName,
                                                    const char* characteristicName,
                                                    TIfDataRecord* record);
ORDEX_API TOrdexReturnCode Ordex_GetAMeasNextIfData(TOrdex* instance, const char* moduleName,
                                                    const char* measurementName,
                                                    TIfDataRecord* record);
ORDEX_API TOrdexReturnCode Ordex_GetAAxisPtsNextIfData(TOrdex* instance, const char* moduleName,
                                                       const char* axisPtsName,
                                                       TIfDataRecord* record);

/* Annotations of a CHARACTERISTIC, of one of its three AXIS_DESCR slots (axisIndex 0 to 2),
 * of a MEASUREMENT or of an AXIS_PTS. Label, Origin and the text together are the key: two
 * annotations that differ only in their texts are both returned. The plain forms (one
 * shared position) cut the text to ORDEX_ANNOTATION_TEXT_SIZE - 1 characters. The forms
 * ending in 2 (another shared position) write the text into the caller's buffer
 * record->Text, which must hold Ordex_GetMaxAnnotationTextSize bytes: a longer text (one
 * read in an AXIS_PTS or added later, which do not raise that size) is cut to fit it, so
 * nothing is ever written past it. At the end all three come back empty. -105, the owner's
 * not-found code (-107, -108, -113), -204 for an axisIndex outside 0..2, -205 for a null
 * owner name, record or record->Text. */
ORDEX_API TOrdexReturnCode Ordex_GetAChasNextAnnotation(TOrdex* instance, const char* moduleName,
                                                        const char* characteristicName,
                                                        TAnnotationRecord* record);
ORDEX_API TOrdexReturnCode Ordex_GetAChasNextAnnotation2(TOrdex* instance, const char* moduleName,
                                                         const char* characteristicName,
                                                         TAnnotationRecord2* record);
ORDEX_API TOrdexReturnCode Ordex_GetAnAxisDescrsNextAnnotation(TOrdex* instance,
                                                               const char* moduleName,
                                                               const char* characteristicName,
                                                               int axisIndex,
                                                               TAnnotationRecord* record);
ORDEX_API TOrdexReturnCode Ordex_GetAnAxisDescrsNextAnnotation2(TOrdex* instance,
                                                                const char* moduleName,
                                                                const char* characteristicName,
                                                                int axisIndex,
                                                                TAnnotationRecord2* record);
ORDEX_API TOrdexReturnCode Ordex_GetAMeasNextAnnotation(TOrdex* instance, const char* moduleName,
                                                        const char* measurementName,
                                                        TAnnotationRecord* record);
ORDEX_API TOrdexReturnCode Ordex_GetAMeasNextAnnotation2(TOrdex* instance, const char* moduleName,
                                                         const char* measurementName,
                                                         TAnnotationRecord2* record);
ORDEX_API TOrdexReturnCode Ordex_GetAAxisPtsNextAnnotation(TOrdex* instance,
                                                           const char* moduleName,
                                                           const char* axisPtsName,
                                                           TAnnotationRecord* record);
ORDEX_API TOrdexReturnCode Ordex_GetAAxisPtsNextAnnotation2(TOrdex* instance,
                                                            const char* moduleName,
                                                            const char* axisPtsName,
                                                            TAnnotationRecord2* record);

/* Stores in *size (when size is not null) the buffer size, terminator included, for the
 * annotation texts of the module: one more than the longest ANNOTATION_TEXT that a
 * CHARACTERISTIC, MEASUREMENT or FUNCTION block of the file held, at least 1. -105. */
ORDEX_API TOrdexReturnCode Ordex_GetMaxAnnotationTextSize(TOrdex* instance, const char* moduleName,
                                                          int* size);

/* ------------------------------------------------------------------------------------------
 * Variant-coding enumerators (the getter Ordex_GetVarCriterion is with the getters)
 * ------------------------------------------------------------------------------------------ */

/* Names of the module's VAR_CHARACTERISTICs, VAR_CRITERIONs and VAR_FORBIDDEN_COMBs (the
 * combinations are named "#1", "#2", ... in the order of their blocks, counted afresh at
 * every read), with a wildcard pattern like the next-name enumerators, each with a
 * position of its own. -105, -205 for a null name. */
ORDEX_API TOrdexReturnCode Ordex_GetNextVarCharacteristicName(TOrdex* instance,
                                                              const char* moduleName, char* name,
                                                              const char* pattern);
ORDEX_API TOrdexReturnCode Ordex_GetNextVarCriterionName(TOrdex* instance, const char* moduleName,
                                                         char* name, const char* pattern);
ORDEX_API TOrdexReturnCode Ordex_GetNextVarForbiddenCombName(TOrdex* instance,
                                                             const char* moduleName, char* name,
                                                             const char* pattern);

/* Member enumerators sharing the position of Ordex_GetAMeasNextVirtual: the criteria of a
 * VAR_CHARACTERISTIC, the values of a VAR_CRITERION, and the VAR_ADDRESS texts of a
 * VAR_CHARACTERISTIC, each also read in base 16 into *address (the leading hexadecimal
 * digits, with or without 0x; 0 at the end). -105, -119 no such VAR_CHARACTERISTIC, -120
 * no such VAR_CRITERION, -205 for a null argument (pattern may be null). */
ORDEX_API TOrdexReturnCode Ordex_GetNextVarCharacteristicCriterionName(
    TOrdex* instance, const char* moduleName, const char* varCharacteristicName, char* name,
    const char* pattern);
ORDEX_API TOrdexReturnCode Ordex_GetNextVarCriterionValue(TOrdex* instance, const char* moduleName,
                                                          const char* criterionName, char* value,
                                                          const char* pattern);
ORDEX_API TOrdexReturnCode Ordex_GetNextVarCharacteristicAddress(
    TOrdex* instance, const char* moduleName, const char* varCharacteristicName, char* addressText,
    unsigned long* address);

/* The criterion/value pairs of the VAR_FORBIDDEN_COMB combName, without remembered position:
 * an empty pair->CriterionName gives the first pair, otherwise the pair after the first
 * whose criterion is CriterionName; after the last pair both fields come back empty. -105,
 * -121 no such combination, -205 for a null combName or pair. */
ORDEX_API TOrdexReturnCode Ordex_GetAVarForbiddenCombsNextCriterion(TOrdex* instance,
                                                                    const char* moduleName,
                                                                    const char* combName,
                                                                    TVarCombCriterion* pair);

/* ==========================================================================================
 * References
 *
 * The reference finder turns the names by which objects refer to each other into links:
 * the targets of FUNCTION list entries, the function that publishes a characteristic or
 * measurement (DEF_CHARACTERISTIC, OUT_MEASUREMENT), the parent of a function
 * (SUB_FUNCTION), a measurement's COMPU_METHOD and a compu method's table. The finder
 * compares names byte by byte whatever the comparison mode; where several objects or
 * functions bear a name, the last in list order wins.
 * ========================================================================================== */

/* The passes of the reference finder (mode bits, may be combined). */
#define ORDEX_FIND_OBJECT_SIDE 0x1         /* each object finds the functions listing it */
#define ORDEX_FIND_FUNCTION_SIDE 0x2       /* each function resolves all its list entries */
#define ORDEX_FIND_CONVERSIONS 0x4         /* measurements: first COMPU_METHOD of the name */
#define ORDEX_FIND_COMPU_TABLES 0x8        /* compu methods: first COMPU_TAB / COMPU_VTAB */
#define ORDEX_FOLD_FUNCTION_LISTS 0x80000000u /* FUNCTION_LIST blocks into the functions */

/* Runs the passes of `mode` over every module. Passes 0x1 and 0x2 overwrite links, 0x4 and
 * 0x8 fill only links that are null. Progress: one step per characteristic, measurement and
 * function (pass 0x1) and per function (pass 0x2), counted over the whole call; after each
 * step the callback, when given and total > 0, receives step * 100 / total (a total of 0 or
 * below skips it) and a non-zero answer stops the call, the work done so far kept. Returns
 * 0, 1 stopped by the callback, -1 without project, -103 null instance, and with
 * stopOnError > 0: -110 a measurement's conversion names no COMPU_METHOD, -111 a TAB_INTP
 * or TAB_NOINTP method names no COMPU_TAB, -112 a TAB_VERB method names no COMPU_VTAB (links
 * made before stay). The _Intern form is the same function. */
ORDEX_API TOrdexReturnCode Ordex_ReferenceFinder(TOrdex* instance, int mode, int stopOnError,
                                                 int total, TOrdexProgressCallback progress);
ORDEX_API TOrdexReturnCode Ordex_ReferenceFinder_Intern(TOrdex* instance, int mode,
                                                        int stopOnError, int total,
                                                        TOrdexProgressCallback progress);

/* The name of the function that publishes a CHARACTERISTIC (lists it in DEF_CHARACTERISTIC)
 * or a MEASUREMENT (OUT_MEASUREMENT), or the parent of a FUNCTION (SUB_FUNCTION), into
 * functionName (256 bytes): "" when the finder has not linked one (run it with 0x1 or 0x2
 * first). -105, -107 / -108 / -109 when the object is not found (functionName untouched),
 * -205 for a null name or output. */
ORDEX_API TOrdexReturnCode Ordex_GetAChasPublishingFunc(TOrdex* instance, const char* moduleName,
                                                        const char* characteristicName,
                                                        char* functionName);
ORDEX_API TOrdexReturnCode Ordex_GetAMeasPublishingFunc(TOrdex* instance, const char* moduleName,
                                                        const char* measurementName,
                                                        char* functionName);
ORDEX_API TOrdexReturnCode Ordex_GetAFuncsPublishingFunc(TOrdex* instance, const char* moduleName,
                                                         const char* subFunctionName,
                                                         char* functionName);

/* The first object, in list order, that names `name` (compared under the comparison mode;
 * no finder run needed): the first FUNCTION listing it in DEF_ or REF_CHARACTERISTIC, in
 * IN_, OUT_ or LOC_MEASUREMENT, or in SUB_FUNCTION; the first CHARACTERISTIC one of whose
 * three axis slots has it as input quantity (slots the type does not use included); the
 * first AXIS_PTS with it as input quantity. The output (256 bytes) is emptied first and
 * receives that object's name. -105, -109 / -107 / -113 when none refers to it, -205 for a
 * null name or output. */
ORDEX_API TOrdexReturnCode Ordex_GetAFuncWithRefToCha(TOrdex* instance, const char* moduleName,
                                                      const char* characteristicName,
                                                      char* functionName);
ORDEX_API TOrdexReturnCode Ordex_GetAFuncWithRefToMea(TOrdex* instance, const char* moduleName,
                                                      const char* measurementName,
                                                      char* functionName);
ORDEX_API TOrdexReturnCode Ordex_GetAFuncWithRefToFunc(TOrdex* instance, const char* moduleName,
                                                       const char* subFunctionName,
                                                       char* functionName);
ORDEX_API TOrdexReturnCode Ordex_GetAChaWithRefToMea(TOrdex* instance, const char* moduleName,
                                                     const char* measurementName,
                                                     char* characteristicName);
ORDEX_API TOrdexReturnCode Ordex_GetAAxisPtsWithRefToMea(TOrdex* instance, const char* moduleName,
                                                         const char* measurementName,
                                                         char* axisPtsName);

/* ==========================================================================================
 * Consistency check
 *
 * The check reads the model and changes nothing; it runs at any time, also on a project
 * built or edited by hand. A reference is a name in a field: empty names are none, nor are
 * NO_COMPU_METHOD as a conversion and NO_INPUT_QUANTITY as an input quantity. A
 * characteristic's axes count as far as its type uses them (CURVE 1, MAP 2, CUBOID 3).
 * References resolve within their module.
 * ========================================================================================== */

/* Receives one finding or referrer (the record is valid only during the call) and the
 * caller's context; a non-zero answer stops the walk. */
typedef int (*TOrdexFindingCallback)(const TCheckFinding* finding, void* context);
typedef int (*TOrdexReferrerCallback)(const TReferrer* referrer, void* context);

/* Checks the module moduleName (found under the comparison mode), or every module of the
 * project when moduleName is null, and calls callback with each finding of severity
 * minSeverity or above (a TOrdexFindingSeverity: fsNote for all). Findings come module by
 * module; within a module the references first (kind by kind, as Ordex_GetReferrers lists
 * them), then duplicate names, the characteristics, axis points, measurements and tables,
 * then the notes, then the members of GROUP blocks and the keywords of no standard (found in
 * the text a read kept); each object in list order. The work is linear in the number of objects
 * and references. The callback may call getters but must not change the project. Returns 0
 * when the walk is complete, whatever it found; 1 when the callback stopped it; -103 a null
 * instance; -104 no project (so a read of an empty file, or of bytes without a PROJECT
 * block, is refused here); -105 no module of that name; -205 a null callback; -3 out of
 * memory. */
ORDEX_API TOrdexReturnCode Ordex_CheckConsistency(TOrdex* instance, const char* moduleName,
                                                  int minSeverity,
                                                  TOrdexFindingCallback callback, void* context);

/* Calls callback once for every reference to name in the module (null: the only module):
 * every field of every object that holds the name, whatever kind of object the name denotes
 * (a name can be a MEASUREMENT and a COMPU_METHOD at once: TargetKinds tells which the field
 * means). In the order of the kinds: CHARACTERISTIC (Deposit, Conversion, then per axis
 * InputQuantity, Conversion, AxisPtsRef), AXIS_PTS (InputQuantity, Deposit, Conversion),
 * MEASUREMENT (Conversion, VIRTUAL), COMPU_METHOD (CompuTabRef), FUNCTION (its lists from
 * DEF_CHARACTERISTIC to AXIS_PTS), VAR_CHARACTERISTIC (its Name, a CHARACTERISTIC) and
 * VAR_CRITERION (VarMeasurement, VarSelectionCharacteristic); objects in list order, a
 * FUNCTION once per entry that names it. Names are compared under the comparison mode; the
 * name need not denote any object (so a dangling reference is listed too). No reference
 * finder run is needed. The callback may call getters but must not change the project.
 * Returns 0 (also when nothing refers to name), 1 when the callback stopped the walk, -103 a
 * null instance, -105 no such module (also without project), -205 a null name or callback. */
ORDEX_API TOrdexReturnCode Ordex_GetReferrers(TOrdex* instance, const char* moduleName,
                                              const char* name, TOrdexReferrerCallback callback,
                                              void* context);

/* ==========================================================================================
 * Kept blocks
 *
 * What a file holds beyond the model (GROUP, UNIT, FRAME, INSTANCE, TYPEDEF_*, BLOB,
 * COMPU_VTAB_RANGE, A2ML, SYMBOL_LINK, MATRIX_DIM, the IF_DATA of a FUNCTION and every other
 * block or keyword the library does not model) is kept with the text of the read and can be
 * walked as a tree. A scope is named by kind: etProject for the text outside the modules
 * (A2ML_VERSION, blocks of the PROJECT beside its modules), etModule for a module without
 * its objects, or an object kind (etCharacteristic, etMeasurement, etFunction,
 * etCompuMethod, etCompuTab, etCompuVTab, etRecordLayout, etAxisPts) with the object's name.
 * What the model holds is never listed: not the objects, MOD_PAR with its segments and
 * system constants, MOD_COMMON, VARIANT_CODING or module IF_DATA in a module; not the
 * arguments, keywords and blocks an object's record holds in an object. A kept keyword
 * standing inside such a modelled block (a 1.6 keyword inside MOD_COMMON, PHYS_UNIT inside
 * an AXIS_DESCR) is listed with Within naming that block.
 *
 * The nodes of a scope are numbered from 0 in text order, each block before its children:
 * a walk is a loop over the indexes, and Parent, Depth, NumChildren and NextSibling give the
 * tree. A block's tokens are its arguments up to its first child, in the form of the block
 * (a name list such as REF_CHARACTERISTIC, and the text of A2ML and IF_DATA, keep every
 * token; an IF_DATA or A2ML has no keyword children, only nested blocks); a keyword's tokens
 * are its arguments up to the next keyword of the standard, "/begin" or "/end". Tokens are
 * given as read, quotes included. A read with ORDEX_READ_WITHOUT_SOURCE, a project made by
 * edits and an object created after the read have no kept blocks: their scopes are empty.
 * Edits do not change what is kept. The tree of the scope asked for last is kept in the
 * instance, so that a walk scans the text once; asking for another scope scans it anew.
 *
 *     int32_t n = 0;
 *     Ordex_GetNumKeptBlocks(inst, NULL, etModule, NULL, &n);
 *     for (int32_t i = 0; i < n; ++i) {
 *       TKeptBlock b;
 *       char tokens[4096];
 *       int32_t needed = 0;
 *       Ordex_GetKeptBlock(inst, NULL, etModule, NULL, i, &b);
 *       if (Ordex_GetKeptBlockTokens(inst, NULL, etModule, NULL, i, tokens, sizeof tokens,
 *                                    &needed) == rcOk)
 *         for (const char* t = tokens; *t; t += strlen(t) + 1) ... one token ...
 *       printf("%*s%s %s (%s:%d)\n", 2 * b.Depth, "", b.Keyword, b.Name, b.File, b.Line);
 *     }
 *
 * The arguments of every function: the instance; the module name (null: the only module;
 * ignored for etProject); the kind of the scope; the object's name (ignored for etProject
 * and etModule); the node's index where one is taken. Codes shared by all: -103 a null
 * instance; -104 no project; -105 no such module; the kind's not-found code (-107
 * characteristic, -108 measurement, -109 function, -110 compu method, -111 compu tab, -112
 * compu vtab, -113 axis points, -114 record layout) for an object that is not there; -1 a
 * kind that names no scope; -204 an index outside 0 .. count - 1; -205 a null output.
 * ========================================================================================== */

/* One node of the kept tree. */
typedef struct TKeptBlock {
  char Keyword[ORDEX_TEXT_SIZE]; /* GROUP, SYMBOL_LINK, ... (the word behind "/begin") */
  char Name[ORDEX_TEXT_SIZE];    /* its first argument when that names it (GROUP, UNIT,
                                    INSTANCE, IF_DATA, ...), else empty */
  char File[ORDEX_TEXT_SIZE];    /* the file it stands in, as it was opened */
  char Within[ORDEX_TEXT_SIZE];  /* top nodes: the modelled blocks it stands in, relative
                                    to the scope, joined by "/" ("MOD_COMMON", "AXIS_DESCR",
                                    "MOD_PAR/MEMORY_SEGMENT"); empty directly in the scope.
                                    Children repeat their top node's */
  int32_t Line;                  /* the line of its keyword ("/begin") in File, from 1 */
  int32_t Parent;                /* the index of the enclosing node, -1 for a top node */
  int32_t Depth;                 /* 0 for a top node */
  int32_t NumChildren;
  int32_t NextSibling;           /* the index of the next node of the same parent, or -1 */
  int32_t NumTokens;
  int16_t IsBlock;               /* 1 "/begin ... /end", 0 a keyword with its arguments */
  int16_t Reserved;              /* 0 */
} TKeptBlock;

/* The number of nodes of a scope into *count (0 for an empty scope). */
ORDEX_API TOrdexReturnCode Ordex_GetNumKeptBlocks(TOrdex* instance, const char* moduleName,
                                                  int32_t kind, const char* objectName,
                                                  int32_t* count);

/* Fills *block with node index of a scope (texts cut to 255 characters). */
ORDEX_API TOrdexReturnCode Ordex_GetKeptBlock(TOrdex* instance, const char* moduleName,
                                              int32_t kind, const char* objectName, int32_t index,
                                              TKeptBlock* block);

/* Writes the tokens of node index as a multi-string (each token followed by a zero byte,
 * the whole closed by one more) into buffer (size bytes) and the size that takes into
 * *needed (may be null). A buffer too small receives the empty multi-string (when size is
 * 1 or more) and gives -203; a null buffer with a size of 0 asks for the size alone (0).
 * Tokens are not cut. */
ORDEX_API TOrdexReturnCode Ordex_GetKeptBlockTokens(TOrdex* instance, const char* moduleName,
                                                    int32_t kind, const char* objectName,
                                                    int32_t index, char* buffer, int size,
                                                    int32_t* needed);

/* What a read kept but the model does not hold, summed up by keyword over the whole read
 * (the text outside the modules, every module, every object read from the text), in the
 * order of each keyword's first occurrence. Nodes inside an IF_DATA or A2ML body are not
 * counted (the body counts as its IF_DATA or A2ML). The place given is the first
 * occurrence's. */
typedef struct TKeptSummaryEntry {
  char Keyword[ORDEX_TEXT_SIZE];
  char File[ORDEX_TEXT_SIZE];   /* the file of the first occurrence, as it was opened */
  char Module[ORDEX_TEXT_SIZE]; /* its module; empty outside the modules */
  char Object[ORDEX_TEXT_SIZE]; /* the object it stands in; empty outside the objects */
  int32_t Kind;                 /* that object's TOrdexElementType, 0 outside the objects */
  int32_t Line;                 /* the line of the first occurrence in File, from 1 */
  int32_t Count;                /* how many times the keyword was kept */
  int32_t Reserved;             /* 0 */
} TKeptSummaryEntry;

/* Makes the summary of the project's kept content (a scan of every scope, each once; the
 * read is not slowed) and writes its number of entries into *count (0 without kept text).
 * The summary is kept in the instance until the next call or read; Ordex_GetKeptSummaryEntry
 * reads it. Returns 0, -103 a null instance, -104 no project, -205 a null count. */
ORDEX_API TOrdexReturnCode Ordex_GetNumKeptSummaryEntries(TOrdex* instance, int32_t* count);

/* Fills *entry with entry index of the summary the last Ordex_GetNumKeptSummaryEntries made
 * (made now when there is none). Texts are cut to 255 characters. Returns 0, -103 a null
 * instance, -104 no project, -204 an index outside 0 .. count - 1, -205 a null entry. */
ORDEX_API TOrdexReturnCode Ordex_GetKeptSummaryEntry(TOrdex* instance, int32_t index,
                                                     TKeptSummaryEntry* entry);

/* ==========================================================================================
 * Writing
 *
 * The writer reads the model and changes nothing in it; the file it creates belongs to the
 * caller.
 * ========================================================================================== */

/* Writes the instance's project as an A2L file named fileName. An existing file of that
 * name is replaced: the text goes to a temporary file in the same folder (".NAME.XXXXXXXX~"),
 * which is flushed to the disk and renamed over fileName only once all of it was written,
 * so fileName holds either its old content or the whole new text, never a part. A name
 * that is a symbolic link has the file it leads to replaced and stays a link; a device,
 * pipe or socket (such as /dev/null) is written in place; a folder is never written. The
 * new file has the permissions of any file the process creates. The file starts with "ASAP2_VERSION  1 3" and a block-comment
 * line holding comment (a null comment gives an empty one), then PROJECT, HEADER and,
 * for each module (only those named exactly moduleName when it is not null): MOD_PAR (or
 * the text of modParTemplateFile, with the memory segments written in place of its first
 * "<MEMORY_SEGMENTs>" and the system constants in place of the first "<SYSTEM_CONSTANTs>"
 * behind it), MOD_COMMON and the objects: CHARACTERISTIC, MEASUREMENT, FUNCTION,
 * COMPU_METHOD, COMPU_TAB, COMPU_VTAB, AXIS_PTS, RECORD_LAYOUT, each kind in list order.
 * Numbers are written from the texts they were read from. Not written: CALIBRATION_METHOD,
 * VARIANT_CODING, A2ML, module-level IF_DATA, FORMULA_INV and FUNCTION_LIST (the
 * functions' lists carry those names). A MEASUREMENT limit read in hexadecimal and the
 * MOD_COMMON offsets are written as 0x and upper-case hexadecimal digits. A COMPU_TAB that
 * holds fewer pairs than its count declares is written with that count and the pairs it
 * holds. A COMPU_VTAB is written with as many pair lines as its count: the pairs it holds,
 * then input 0 with an empty text for each one it does not (a table created with a count
 * above the pairs of its record), so that the file reads back. A quote inside a quoted text is written as backslash-quote, so that
 * the reader takes it back unchanged. An annotation text is written as quoted lines of at
 * most 1000 characters; a double quote in it separates two lines and is not written, nor is
 * the character after it (so a caller adding an annotation writes "line 1\"\nline 2", and
 * a quote the reader took from \" inside an ANNOTATION_TEXT string is lost on writing).
 * elementCallback (may be null) is asked with the kind and UserData of every object before
 * it is written, and of the object behind every FUNCTION list entry (with a callback, an
 * entry that the reference finder has not resolved is left out); 0 leaves it out.
 * progressCallback (may be null) receives objects reached * 100 / objects of the written
 * modules whenever that percentage grows; a non-zero answer ends the current module (its
 * "/end MODULE" is still written) and the write goes on with the next.
 * Returns 0; -103 a null instance; -104 no project (no file is touched); -5 the file cannot
 * be created or written: a null fileName, a folder that is missing or cannot be written, a
 * full disk or any other failed write, flush, close or rename; -4 the template cannot be
 * opened (tried before anything is created). After -5 or -4 the temporary file is removed
 * and an existing file of that name is left exactly as it was. */
ORDEX_API TOrdexReturnCode Ordex_WriteAsapFile(TOrdex* instance, const char* fileName,
                                               const char* moduleName,
                                               const char* modParTemplateFile,
                                               const char* comment,
                                               TOrdexElementCallback elementCallback,
                                               TOrdexProgressCallback progressCallback);
ORDEX_API TOrdexReturnCode Ordex_WriteAsapFile_Intern(TOrdex* instance, const char* fileName,
                                                      const char* moduleName,
                                                      const char* modParTemplateFile,
                                                      const char* comment,
                                                      TOrdexElementCallback elementCallback,
                                                      TOrdexProgressCallback progressCallback);

/* Flags of Ordex_WriteAsapFilePreserving. */
#define ORDEX_PRESERVE_INLINE_INCLUDES 0x1u /* one file: each "/include" replaced by its text */
#define ORDEX_PRESERVE_REWRITE_EDITS 0x2u   /* edited blocks rewritten whole (see below) */
/* Bits of its outcome. */
#define ORDEX_WROTE_CANONICALLY 0x1u      /* no kept text: written as Ordex_WriteAsapFile does */
#define ORDEX_WROTE_REWRITTEN_PARTS 0x2u  /* an edited block was rewritten whole */
#define ORDEX_WROTE_INCLUDED_FILES 0x4u   /* included files were written beside fileName */
#define ORDEX_WROTE_INLINED_INCLUDES 0x8u /* an included file was written into its includer */
#define ORDEX_WROTE_DROPPED_TEXT 0x10u    /* an edited block was written from its record alone */

/* Writes the project back into the text it was read from, so that nothing the file held is
 * lost and nothing but what was edited changes. A read keeps the bytes of every file it
 * reads (the top file and its "/include" files) in the instance, unless
 * Ordex_SetReadOptions said otherwise; the write never reads those files again, so it does
 * not matter whether they still exist or have changed since.
 *
 * - Without an edit since the read, the written file is byte for byte the file read:
 *   blocks and keywords the library does not model (GROUP, UNIT, A2ML, module IF_DATA,
 *   CALIBRATION_METHOD, FUNCTION_LIST, ...), comments, blank text and the ASAP2_VERSION line
 *   included.
 * - A changed block (an object, the PROJECT or MODULE head, HEADER, MOD_PAR with its memory
 *   segments and system constants, MOD_COMMON) keeps its own layout: the tokens whose value
 *   changed are replaced where they stand, tokens the change drops are removed with the
 *   line they leave empty, and new ones (a keyword, a list entry, an annotation, an IF_DATA
 *   block) are inserted next to the tokens the canonical layout puts them beside, indented
 *   as their neighbours. What the block holds beyond its record stays where it was. When a
 *   change cannot be placed so (or with ORDEX_PRESERVE_REWRITE_EDITS), the block is
 *   rewritten whole in the layout of Ordex_WriteAsapFile, with the keywords, blocks and
 *   comments it held beyond its record carried over next to their neighbours. Each edited
 *   block's new text is read back on its own before it is written: one that would not read
 *   as the block stands in the model is rewritten so, and should that not read back either,
 *   written from its record alone (outcome ORDEX_WROTE_DROPPED_TEXT; what the block held
 *   beyond its record is then lost).
 * - A created object is written in the canonical layout behind the last object of its kind
 *   that its module held when read (in front of the module's "/end MODULE" when it held
 *   none); a created module in front of "/end PROJECT". A removed object or module is
 *   removed with its lines. The names that FUNCTION_LIST blocks of objects gave to functions'
 *   lists stay in those blocks.
 * - A file included by "/include NAME" keeps that line. Each included file that holds a
 *   change, or whose output would not be the file read, is written to NAME taken relative to
 *   the folder of its including file's output (folders below that are created). No file is
 *   written outside the folder of fileName: an included file whose NAME is absolute or
 *   leaves the folder with ".." is left alone when unchanged and written in place of its
 *   "/include" line when changed. ORDEX_PRESERVE_INLINE_INCLUDES writes one file with every
 *   included text in place of its "/include" line. Note that the reader opens an include
 *   name against the current directory first.
 * - moduleName, modParTemplateFile, elementCallback and progressCallback mean what they mean
 *   for Ordex_WriteAsapFile, with the same order and counts of callback calls: a module
 *   that is not written and an object left out are removed from the text, the template
 *   replaces each written module's MOD_PAR block. A non-empty comment is written as a
 *   block comment on a line of its own behind the ASAP2_VERSION line (at the top when there
 *   is none); a null or empty one adds nothing.
 * - A project that was not read, or was read without its text, is written as
 *   Ordex_WriteAsapFile writes it (outcome ORDEX_WROTE_CANONICALLY); so is one whose edited
 *   block cannot be replaced as one piece (a block that begins and ends in different files,
 *   or one nested inside another edited block).
 * Every file is written to a temporary file beside it and renamed over it when complete, so
 * a failure leaves an existing file as it was. outcome (may be null) receives ORDEX_WROTE_*
 * bits. Returns 0; -103 a null instance; -104 no project; -1 an unknown flag; -4 the template
 * cannot be opened (nothing is written); -5 a file cannot be written. */
ORDEX_API TOrdexReturnCode Ordex_WriteAsapFilePreserving(
    TOrdex* instance, const char* fileName, const char* moduleName, const char* modParTemplateFile,
    const char* comment, TOrdexElementCallback elementCallback,
    TOrdexProgressCallback progressCallback, uint32_t flags, uint32_t* outcome);

/* ==========================================================================================
 * Conversion
 *
 * Raw ECU bytes become a physical value and a text. Data types and byte orders are the
 * TDataType and TByteOrder values (other values are accepted and refused as described).
 * BIG_ENDIAN and MSB_LAST read the least significant byte first; every other byte order
 * (0, LITTLE_ENDIAN, MSB_FIRST, unknown values) reads the most significant byte first.
 * Floating-point types are taken in host memory order, without byte order or mask. A
 * non-zero bit mask selects a field of an integer value, which is shifted down to bit 0;
 * signed types are sign-extended from the field's top bit (a one-bit field gives 0 or 1).
 *
 * The text is written in the C locale whatever the process locale is: the number is
 * printed with "%" + the characters " #+-.0123456789" of the compu method's Format (at most
 * 36 of them; none gives "4.2") + "lf", every "." and "," is then replaced by the decimal
 * separator, and " " + Unit follows when the Unit is not empty. A specification that is not
 * flags, width and precision in this order, or whose width or precision is above 255, is
 * a formatter failure (-1). NaN prints as "nan", infinities as "inf" and "-inf" (flags
 * and width apply, zero padding does not). TAB_VERB texts and table defaults are written
 * as they are, without unit. A STRING value is dumped as lower-case hex digit pairs
 * separated by blanks.
 *
 * The text buffer has no size argument: it must hold the number (at most 566 characters),
 * a blank and the unit; for STRING 3 characters per byte; for TAB_VERB and table defaults
 * the longest text of the table plus the terminator; for a method with STATUS_STRING_REF
 * also the longest text of that table (texts read from a file are at most 1023 characters).
 *
 * Conversion types of later versions, which the method's ConversionType shows as -1:
 * IDENTICAL gives the raw value and LINEAR with COEFFS_LINEAR a b gives a x raw + b, both
 * formatted as RAT_FUNC values are. A TAB_VERB method's COMPU_TAB_REF may name a
 * COMPU_VTAB_RANGE (looked for when no COMPU_VTAB has the name): the text is that of the
 * first range whose lower and upper bounds, both included, hold the raw value as decoded
 * (not rounded), else the range table's DEFAULT_VALUE; the physical value is the raw value,
 * written also when the result is -1, as for a COMPU_VTAB. A method with STATUS_STRING_REF
 * first looks up the raw value in the COMPU_VTAB (rounded as for TAB_VERB) or the ranges of
 * the COMPU_VTAB_RANGE of that name: an entry that holds it gives its text (as it is, no
 * unit) and the result 0, with the physical value of the method's own conversion when that
 * has one; that table's default is not used, and a name that is no table of the module is
 * ignored. COMPU_VTAB_RANGE tables are read for conversions only: no getter, list or count
 * shows them and the writer does not write them; their texts are single tokens of at most
 * 1023 characters.
 *
 * Results: 0; -1 data type outside 0..10, FORM or unknown conversion type, RAT_FUNC with a
 * or d not 0, LINEAR without COEFFS_LINEAR or with a coefficient that is no number, no table
 * pair or range and no default text, formatter failure (the text is then left as it was;
 * TAB_VERB has written the value already); -111 / -112 the COMPU_TAB / COMPU_VTAB (or
 * COMPU_VTAB_RANGE) named by COMPU_TAB_REF is not in the module (exact, case-sensitive
 * name). A table default gives its text and leaves the physical value unwritten. Null
 * pointers give -205 unless said otherwise. Every failure leaves a reason for
 * Ordex_GetLastConversionError.
 * ========================================================================================== */

/* Byte size of a data type: 1, 2, 3, 4 or 8; 0 for STRING; -1 for other values. */
ORDEX_API int32_t Ordex_GetDataSizeByDataType(int32_t dataType);

/* Copies the reason of the latest conversion of the calling thread that failed into buffer
 * (at most bufferSize - 1 characters, always terminated): a short text such as
 * "raw value 21 is in no pair of COMPU_TAB T, which has no DEFAULT_VALUE" that a host can
 * show beside the code. The conversions are Ordex_RawToPhys, Ordex_RawToPhysMeasurement,
 * Ordex_RawToPhysDirect, Ordex_RawToPhysDirect2, Ordex_RawToPhys_Intern and
 * Ordex_EvaluateMeasurementResponseBlock; each one forgets the reason of the one before, so
 * the text is empty after a conversion that succeeded. The text is the library's wording and
 * may change; hosts must not parse it. -205 null buffer, -203 bufferSize 0.
 *
 *   if (Ordex_RawToPhysMeasurement(inst, NULL, "Speed", raw, '.', &value, text) != rcOk) {
 *     char why[256];
 *     Ordex_GetLastConversionError(why, sizeof why);
 *     fprintf(stderr, "Speed: %s\n", why);
 *   }
 */
ORDEX_API TOrdexReturnCode Ordex_GetLastConversionError(char* buffer, uint32_t bufferSize);

/* Converts raw bytes with a compu method record of an instance's module (the public
 * functions hand out none; hosts that hold one may use it). bitMask 0 means no mask (only
 * the low 32 bits are used); byteCount (taken as a signed 32-bit number) is the number of
 * bytes a STRING value dumps, 0 or less gives an empty text. A table method resolves its
 * COMPU_TAB_REF in the method's own module on first use and keeps the link. */
ORDEX_API TOrdexReturnCode Ordex_RawToPhys_Intern(const unsigned char* raw, int32_t dataType,
                                                  int32_t byteOrder, unsigned long bitMask,
                                                  unsigned long byteCount,
                                                  TCompuMethod_Intern* compuMethod,
                                                  char decimalSeparator, double* physValue,
                                                  char* text);

/* Converts raw bytes with the COMPU_METHOD compuMethodName (exact, case-sensitive name,
 * whatever the comparison mode). A STRING value gives an empty text. -103, -105 no such
 * module, -110 no such compu method, else as Ordex_RawToPhys_Intern. */
ORDEX_API TOrdexReturnCode Ordex_RawToPhys(TOrdex* instance, const char* moduleName,
                                           const unsigned char* raw, int32_t dataType,
                                           int32_t byteOrder, unsigned long bitMask,
                                           const char* compuMethodName, char decimalSeparator,
                                           double* physValue, char* text);

/* Converts the raw bytes of the MEASUREMENT measurementName (exact name) with its data
 * type, byte order, bit mask and compu method; a STRING measurement dumps as many bytes as
 * its Resolution says, so raw must hold that many. The compu method is looked up on first
 * use and kept. -103, -105, -108 no such measurement, -110 its compu method is not in the
 * module, else as Ordex_RawToPhys_Intern. */
ORDEX_API TOrdexReturnCode Ordex_RawToPhysMeasurement(TOrdex* instance, const char* moduleName,
                                                      const char* measurementName,
                                                      const unsigned char* raw,
                                                      char decimalSeparator, double* physValue,
                                                      char* text);

/* Converts with a caller's compu method record taken as RAT_FUNC: only Format, Unit and
 * the six coefficient Values are used. Ordex_RawToPhysDirect dumps no STRING bytes;
 * Ordex_RawToPhysDirect2 dumps byteCount of them. -110 for a null record, else as
 * Ordex_RawToPhys_Intern. */
ORDEX_API TOrdexReturnCode Ordex_RawToPhysDirect(const unsigned char* raw, int32_t dataType,
                                                 int32_t byteOrder, unsigned long bitMask,
                                                 const TCompuMethod* compuMethod,
                                                 char decimalSeparator, double* physValue,
                                                 char* text);
ORDEX_API TOrdexReturnCode Ordex_RawToPhysDirect2(const unsigned char* raw, int32_t dataType,
                                                  int32_t byteOrder, unsigned long bitMask,
                                                  unsigned long byteCount,
                                                  const TCompuMethod* compuMethod,
                                                  char decimalSeparator, double* physValue,
                                                  char* text);

/* ------------------------------------------------------------------------------------------
 * Measurement blocks and hex text
 *
 * Protocol 1 only. The request block is 5 bytes: 0x23, bits 23..16, 15..8 and 7..0 of the
 * measurement's ECU address, and the low 8 bits of the number of bytes asked for (data
 * size x ArraySize, or the data size alone without array; ArraySize for STRING). The
 * response block is 0x63 followed by the value bytes; element i of an array starts at
 * byte 1 + i x data size. Measurements and compu methods are found by exact,
 * case-sensitive name. The measurement and compu method arguments may be null; when not
 * null and named as asked for, they are used without a lookup.
 * ------------------------------------------------------------------------------------------ */

/* Writes the request block into block; *blockSize is the buffer size on entry and 5 on
 * return once the buffer was found large enough. -103, -105, -108, -201 protocol not 1,
 * -203 buffer below 5 bytes, data type outside the size table or STRING with ArraySize
 * below 1 (the first four bytes are then already written), -205 a null argument. */
ORDEX_API TOrdexReturnCode Ordex_CreateMeasurementRequestBlock(
    TOrdex* instance, const char* moduleName, const char* measurementName,
    TMeasurement_Intern* measurement, int32_t protocol, unsigned char* block,
    int32_t* blockSize);

/* Cuts the value (element arrayIndex of an array measurement; the index is ignored without
 * array) out of a response block of responseLength bytes and converts it as
 * Ordex_RawToPhys_Intern does with the measurement's data type, byte order, bit mask and
 * Resolution as STRING byte count (the dump never goes past the response). -103, -105,
 * -108, -110 the measurement's compu method is not in the module, -201 protocol not 1,
 * -202 first byte not 0x63, -203 data type outside the size table, STRING with ArraySize
 * below 1 or a response too short, -204 arrayIndex negative or not below ArraySize, -205
 * a null argument; else the conversion's result. */
ORDEX_API TOrdexReturnCode Ordex_EvaluateMeasurementResponseBlock(
    TOrdex* instance, const char* moduleName, const char* measurementName,
    TMeasurement_Intern* measurement, TCompuMethod_Intern* compuMethod, int32_t protocol,
    const unsigned char* response, int32_t responseLength, int32_t arrayIndex,
    char decimalSeparator, double* physValue, char* text);

/* Writes count bytes as upper-case hex digit pairs separated by one blank ("00 AB 0F"),
 * zero-terminated; text must hold 3 x count bytes (1 for a count of 0 or less). Returns
 * text; null (nothing written) for a null text, or null bytes with a count above 0. */
ORDEX_API char* Ordex_ConvertByteArrayToHexString(const unsigned char* bytes, int32_t count,
                                                  char* text);

/* Reads hex digit pairs from text into bytes and stores their number in *count. Blanks
 * between pairs are skipped; a pair takes the value of its leading hex digits (a pair that
 * starts with another character gives 0); a single digit before the terminator is a byte
 * of its own ("1" gives 01). Nothing is read past the terminator and no error is reported.
 * bytes must hold one byte per two characters of text, rounded up. Returns bytes; null
 * (nothing written) when an argument is null. */
ORDEX_API unsigned char* Ordex_ConvertHexStringToByteArray(const char* text, unsigned char* bytes,
                                                          uint32_t* count);

/* ==========================================================================================
 * Editing: create and add-to, change, remove and remove-from
 *
 * Objects are found by the record's Name (or the name argument) under the comparison mode,
 * the first of a name in list order; a null moduleName means the only module. Names are
 * never checked: creating a second object of a name appends it (lookups keep finding the
 * first), and the names an object refers to need not exist. Texts are taken from the
 * records' fields up to their terminator and copied; the caller keeps its records.
 * Resolved references (the reference finder's links and the conversion's) are neither set
 * nor updated by create, add-to and change: a changed name keeps the references that
 * matched the old one. A removal clears every resolved reference that led to what it
 * frees, so the next use resolves the name again.
 * Every operation gives -103 for a null instance and -205 for another null pointer it
 * needs, -105 when the module is not found and -3 when memory runs out. Removals and
 * the two operations that rebuild a COMPU_VTAB's pairs give -1, and change nothing, when
 * called from the progress callback of a read into the same instance or from a callback
 * of a write of it.
 * ========================================================================================== */

/* Creates the instance's project from the record (Name included). -118 when the instance
 * holds a project already (it stays as it was). */
ORDEX_API TOrdexReturnCode Ordex_CreateProject(TOrdex* instance, const TProject* record);

/* Appends a module made from the record to the project: MOD_COMMON and MOD_PAR values as
 * the record gives them, RAM_OFFSET, ROM_OFFSET and BIT_MASK not set, every list empty.
 * -104 without project. */
ORDEX_API TOrdexReturnCode Ordex_CreateModule(TOrdex* instance, const TModule* record);

/* Append an object made from the record at the end of its kind's list in the module, as if
 * it had been read: its lists are empty and its references unresolved. A characteristic
 * takes the first Type axes of the record (CURVE 1, MAP 2, CUBOID 3); its other axis slots
 * are empty with Attribute -1, AxisPointsMode -1 and the module's DEPOSIT as DepositMode.
 * A COMPU_TAB record whose NumberValuePairs exceeds 256 is refused with -1 (nothing is
 * created). A COMPU_VTAB takes its first min(NumberValuePairs, 20) pairs from the record
 * and the others as input 0 with an empty text (fill them with
 * Ordex_ChangeACompuVTabsLargeVTab). A memory segment whose LongIdentifier is
 * "MEMORY_LAYOUT" is a MEMORY_LAYOUT entry. */
ORDEX_API TOrdexReturnCode Ordex_CreateMemorySegment(TOrdex* instance, const char* moduleName,
                                                     const TMemorySegment* record);
ORDEX_API TOrdexReturnCode Ordex_CreateCharacteristic(TOrdex* instance, const char* moduleName,
                                                      const TCharacteristic* record);
ORDEX_API TOrdexReturnCode Ordex_CreateCharacteristic2(TOrdex* instance, const char* moduleName,
                                                       const TCharacteristic2* record);
ORDEX_API TOrdexReturnCode Ordex_CreateMeasurement(TOrdex* instance, const char* moduleName,
                                                   const TMeasurement* record);
ORDEX_API TOrdexReturnCode Ordex_CreateFunction(TOrdex* instance, const char* moduleName,
                                                const TFunction* record);
ORDEX_API TOrdexReturnCode Ordex_CreateCompuMethod(TOrdex* instance, const char* moduleName,
                                                   const TCompuMethod* record);
ORDEX_API TOrdexReturnCode Ordex_CreateCompuMethod2(TOrdex* instance, const char* moduleName,
                                                    const TCompuMethod2* record);
ORDEX_API TOrdexReturnCode Ordex_CreateCompuTab(TOrdex* instance, const char* moduleName,
                                                const TCompuTab* record);
ORDEX_API TOrdexReturnCode Ordex_CreateCompuVTab(TOrdex* instance, const char* moduleName,
                                                 const TCompuVTab* record);
ORDEX_API TOrdexReturnCode Ordex_CreateAxisPts(TOrdex* instance, const char* moduleName,
                                               const TAxisPts* record);
ORDEX_API TOrdexReturnCode Ordex_CreateRecordLayout(TOrdex* instance, const char* moduleName,
                                                    const TRecordLayout* record);
ORDEX_API TOrdexReturnCode Ordex_CreateRecordLayout2(TOrdex* instance, const char* moduleName,
                                                     const TRecordLayout2* record);

/* Append `name` to one name list of the FUNCTION `function`: DEF_CHARACTERISTIC,
 * REF_CHARACTERISTIC, IN_MEASUREMENT, OUT_MEASUREMENT, LOC_MEASUREMENT, SUB_FUNCTION, or the
 * function's AXIS_PTS list. The entry is unresolved until the reference finder runs; the
 * name is not looked for, and a name already listed is appended again. -109 no such
 * function. Ordex_AddToAAxisPtsFuncList_Intern is Ordex_AddToAAxisPtsFuncList. */
ORDEX_API TOrdexReturnCode Ordex_AddToAFuncsDefChaList(TOrdex* instance, const char* moduleName,
                                                       const char* function, const char* name);
ORDEX_API TOrdexReturnCode Ordex_AddToAFuncsRefChaList(TOrdex* instance, const char* moduleName,
                                                       const char* function, const char* name);
ORDEX_API TOrdexReturnCode Ordex_AddToAFuncsInMeaList(TOrdex* instance, const char* moduleName,
                                                      const char* function, const char* name);
ORDEX_API TOrdexReturnCode Ordex_AddToAFuncsOutMeaList(TOrdex* instance, const char* moduleName,
                                                       const char* function, const char* name);
ORDEX_API TOrdexReturnCode Ordex_AddToAFuncsLocMeaList(TOrdex* instance, const char* moduleName,
                                                       const char* function, const char* name);
ORDEX_API TOrdexReturnCode Ordex_AddToAFuncsSubFuncList(TOrdex* instance, const char* moduleName,
                                                        const char* function, const char* name);
ORDEX_API TOrdexReturnCode Ordex_AddToAAxisPtsFuncList(TOrdex* instance, const char* moduleName,
                                                       const char* function, const char* name);
ORDEX_API TOrdexReturnCode Ordex_AddToAAxisPtsFuncList_Intern(TOrdex* instance,
                                                              const char* moduleName,
                                                              const char* function,
                                                              const char* name);

/* Appends the SYSTEM_CONSTANT `name` with the text `value` to the module's system
 * constants (a second one of an existing name too). */
ORDEX_API TOrdexReturnCode Ordex_AddToSystemConstantList(TOrdex* instance, const char* moduleName,
                                                         const char* name, const char* value);

/* Append an IF_DATA entry to the memory segment, characteristic, measurement or axis points
 * object named `owner`: the record's Name and a copy of the whole text Content points to
 * (null: an empty content). -106, -107, -108 or -113 when the owner is not found. */
ORDEX_API TOrdexReturnCode Ordex_AddToAMemSegsIfDataList(TOrdex* instance, const char* moduleName,
                                                         const char* segment,
                                                         const TIfDataRecord* record);
ORDEX_API TOrdexReturnCode Ordex_AddToAChasIfDataList(TOrdex* instance, const char* moduleName,
                                                      const char* characteristic,
                                                      const TIfDataRecord* record);
ORDEX_API TOrdexReturnCode Ordex_AddToAMeasIfDataList(TOrdex* instance, const char* moduleName,
                                                      const char* measurement,
                                                      const TIfDataRecord* record);
ORDEX_API TOrdexReturnCode Ordex_AddToAAxisPtsIfDataList(TOrdex* instance, const char* moduleName,
                                                         const char* axisPts,
                                                         const TIfDataRecord* record);

/* Append an annotation (Label, Origin, Text of the record) to the characteristic or
 * measurement named `owner`. Ordex_GetMaxAnnotationTextSize does not grow with it. -107 or
 * -108 when the owner is not found. */
ORDEX_API TOrdexReturnCode Ordex_AddToAChasAnnotatList(TOrdex* instance, const char* moduleName,
                                                       const char* characteristic,
                                                       const TAnnotationRecord* record);
ORDEX_API TOrdexReturnCode Ordex_AddToAMeasAnnotatList(TOrdex* instance, const char* moduleName,
                                                       const char* measurement,
                                                       const TAnnotationRecord* record);

/* Overwrites every field of the project with the record's (Name included). -104 without
 * project. */
ORDEX_API TOrdexReturnCode Ordex_ChangeProject(TOrdex* instance, const TProject* record);

/* Applies the record to the module its Name selects (an empty Name: the only module, which
 * then takes the empty name); the module's lists stay. -104 without project, -105 no such
 * module. */
ORDEX_API TOrdexReturnCode Ordex_ChangeModule(TOrdex* instance, const TModule* record);

/* Apply the record to the object its Name selects, field by field; the object's place in
 * its list, the lists it owns (annotations, IF_DATA entries, name lists) and its resolved
 * references stay. The stored name takes the record's spelling, so under case-insensitive
 * comparison a record named ABC changes the object abc and renames it ABC. A
 * characteristic takes only the first Type axes (the other slots keep their values, so a
 * MAP changed into a VALUE keeps its axes); through the short record an axis gets
 * AxisPointsMode 1 (FIX_AXIS_PAR) when its DepositMode is -1 or a FixAxisPar value is not 0,
 * else 0 (DEPOSIT). A measurement limit held in hexadecimal stays so while the record gives
 * it as the getter does (empty Text, Value 0). Ordex_ChangeCompuMethod leaves FormulaInv as
 * it is. A COMPU_TAB record of more than 256 pairs gives -1 and changes nothing. A COMPU_VTAB
 * gets its pairs anew as Ordex_CreateCompuVTab makes them. The kind's not-found code (-106 to
 * -114) when no object has the name; nothing is created then. */
ORDEX_API TOrdexReturnCode Ordex_ChangeMemorySegment(TOrdex* instance, const char* moduleName,
                                                     const TMemorySegment* record);
ORDEX_API TOrdexReturnCode Ordex_ChangeCharacteristic(TOrdex* instance, const char* moduleName,
                                                      const TCharacteristic* record);
ORDEX_API TOrdexReturnCode Ordex_ChangeCharacteristic2(TOrdex* instance, const char* moduleName,
                                                       const TCharacteristic2* record);
ORDEX_API TOrdexReturnCode Ordex_ChangeMeasurement(TOrdex* instance, const char* moduleName,
                                                   const TMeasurement* record);
ORDEX_API TOrdexReturnCode Ordex_ChangeFunction(TOrdex* instance, const char* moduleName,
                                                const TFunction* record);
ORDEX_API TOrdexReturnCode Ordex_ChangeCompuMethod(TOrdex* instance, const char* moduleName,
                                                   const TCompuMethod* record);
ORDEX_API TOrdexReturnCode Ordex_ChangeCompuMethod2(TOrdex* instance, const char* moduleName,
                                                    const TCompuMethod2* record);
ORDEX_API TOrdexReturnCode Ordex_ChangeCompuTab(TOrdex* instance, const char* moduleName,
                                                const TCompuTab* record);
ORDEX_API TOrdexReturnCode Ordex_ChangeCompuVTab(TOrdex* instance, const char* moduleName,
                                                 const TCompuVTab* record);
ORDEX_API TOrdexReturnCode Ordex_ChangeAxisPts(TOrdex* instance, const char* moduleName,
                                               const TAxisPts* record);
ORDEX_API TOrdexReturnCode Ordex_ChangeRecordLayout(TOrdex* instance, const char* moduleName,
                                                    const TRecordLayout* record);
ORDEX_API TOrdexReturnCode Ordex_ChangeRecordLayout2(TOrdex* instance, const char* moduleName,
                                                     const TRecordLayout2* record);

/* Replaces every pair of the COMPU_VTAB vtabName by the first NumberValuePairs elements of
 * entries (the table's count as set by its create or change): input values and whole copies
 * of the texts (no 255-character limit; a null OutText gives an empty text). -112 no such
 * table, -1 for a null entries array (the old pairs stay). */
ORDEX_API TOrdexReturnCode Ordex_ChangeACompuVTabsLargeVTab(TOrdex* instance,
                                                            const char* moduleName,
                                                            const char* vtabName,
                                                            const TCompuVTabEntry* entries);

/* Frees the project with all its modules and objects; a later Ordex_CreateProject or read
 * starts a new one. -104 without project. */
ORDEX_API TOrdexReturnCode Ordex_RemoveProject(TOrdex* instance);

/* Removes the module moduleName (null: the only module) with everything in it. -104
 * without project, -105 no such module (also for a null name in a project of several). */
ORDEX_API TOrdexReturnCode Ordex_RemoveModule(TOrdex* instance, const char* moduleName);

/* Remove the first object named `name` of one kind and free it with everything it owns;
 * the other objects keep their order. Names that refer to it (function list entries, a
 * conversion, a record layout, COMPU_TAB_REF) stay as they are and refer to nothing. The
 * kind's not-found code (-106 to -114) when no object has the name. */
ORDEX_API TOrdexReturnCode Ordex_RemoveMemorySegment(TOrdex* instance, const char* moduleName,
                                                     const char* name);
ORDEX_API TOrdexReturnCode Ordex_RemoveCharacteristic(TOrdex* instance, const char* moduleName,
                                                      const char* name);
ORDEX_API TOrdexReturnCode Ordex_RemoveMeasurement(TOrdex* instance, const char* moduleName,
                                                   const char* name);
ORDEX_API TOrdexReturnCode Ordex_RemoveFunction(TOrdex* instance, const char* moduleName,
                                                const char* name);
ORDEX_API TOrdexReturnCode Ordex_RemoveCompuMethod(TOrdex* instance, const char* moduleName,
                                                   const char* name);
ORDEX_API TOrdexReturnCode Ordex_RemoveCompuTab(TOrdex* instance, const char* moduleName,
                                                const char* name);
ORDEX_API TOrdexReturnCode Ordex_RemoveCompuVTab(TOrdex* instance, const char* moduleName,
                                                 const char* name);
ORDEX_API TOrdexReturnCode Ordex_RemoveAxisPts(TOrdex* instance, const char* moduleName,
                                               const char* name);
ORDEX_API TOrdexReturnCode Ordex_RemoveRecordLayout(TOrdex* instance, const char* moduleName,
                                                    const char* name);

/* Remove the first entry named `name` from one name list of the FUNCTION `function`.
 * -109 no such function, -115 the list holds no such name. */
ORDEX_API TOrdexReturnCode Ordex_RemFromAFuncsDefChaList(TOrdex* instance, const char* moduleName,
                                                         const char* function, const char* name);
ORDEX_API TOrdexReturnCode Ordex_RemFromAFuncsRefChaList(TOrdex* instance, const char* moduleName,
                                                         const char* function, const char* name);
ORDEX_API TOrdexReturnCode Ordex_RemFromAFuncsInMeaList(TOrdex* instance, const char* moduleName,
                                                        const char* function, const char* name);
ORDEX_API TOrdexReturnCode Ordex_RemFromAFuncsOutMeaList(TOrdex* instance, const char* moduleName,
                                                         const char* function, const char* name);
ORDEX_API TOrdexReturnCode Ordex_RemFromAFuncsLocMeaList(TOrdex* instance, const char* moduleName,
                                                         const char* function, const char* name);
ORDEX_API TOrdexReturnCode Ordex_RemFromAFuncsSubFuncList(TOrdex* instance,
                                                          const char* moduleName,
                                                          const char* function, const char* name);
ORDEX_API TOrdexReturnCode Ordex_RemFromAFuncsAxisPtsList(TOrdex* instance,
                                                          const char* moduleName,
                                                          const char* function, const char* name);

/* Removes the first SYSTEM_CONSTANT named `name` (a Value pointer handed out for it is no
 * longer valid). -116 no such constant. */
ORDEX_API TOrdexReturnCode Ordex_RemFromSysConstantList(TOrdex* instance, const char* moduleName,
                                                        const char* name);

/* Remove the first IF_DATA entry named `name` (the first word of its block) of the memory
 * segment, characteristic, measurement or axis points object named `owner`. -106, -107,
 * -108 or -113 when the owner is not found, -117 when it holds no such entry. */
ORDEX_API TOrdexReturnCode Ordex_RemFromAMemSegsIfDataList(TOrdex* instance,
                                                           const char* moduleName,
                                                           const char* segment, const char* name);
ORDEX_API TOrdexReturnCode Ordex_RemFromAChasIfDataList(TOrdex* instance, const char* moduleName,
                                                        const char* characteristic,
                                                        const char* name);
ORDEX_API TOrdexReturnCode Ordex_RemFromAMeasIfDataList(TOrdex* instance, const char* moduleName,
                                                        const char* measurement, const char* name);
ORDEX_API TOrdexReturnCode Ordex_RemFromAAxisPtsIfDataList(TOrdex* instance,
                                                           const char* moduleName,
                                                           const char* axisPts, const char* name);

/* ------------------------------------------------------------------------------------------
 * Descriptions of the public records
 * ------------------------------------------------------------------------------------------ */

/* The public records Ordex_GetRecordField describes. */
typedef enum {
  rtProject = 0,
  rtModule = 1,
  rtMemorySegment = 2,
  rtCharacteristic = 3,
  rtCharacteristic2 = 4,
  rtAxisDescr = 5,
  rtAxisDescr2 = 6,
  rtAxisPts = 7,
  rtMeasurement = 8,
  rtFunction = 9,
  rtCompuMethod = 10,
  rtCompuMethod2 = 11,
  rtCompuTab = 12,
  rtCompuTabPair = 13,
  rtCompuVTab = 14,
  rtCompuVTabPair = 15,
  rtRecordLayout = 16,
  rtRecordLayout2 = 17,
  rtRecordLayoutElement = 18
} TOrdexRecordType;

/* What a record field holds: a text (char[ORDEX_TEXT_SIZE]), a TNumberText, a signed
 * integer of 16 or 32 bits, an unsigned 32-bit number, an unsigned 32-bit address or mask
 * (shown in hexadecimal), a 16-bit flag (0 or 1), a 32-bit keyword index (-1 not set) into
 * the list KeywordList names, or a record of type SubRecord. */
typedef enum {
  fkText = 0,
  fkNumberText = 1,
  fkInt16 = 2,
  fkInt32 = 3,
  fkUInt32 = 4,
  fkHex = 5,
  fkFlag = 6,
  fkKeyword = 7,
  fkRecord = 8
} TOrdexFieldKind;

/* The keyword lists of coded fields; the index a field holds is the position in its list. */
typedef enum {
  klNone = 0,
  klDataType = 1,          /* UBYTE, SBYTE, UWORD, SWORD, ULONG, SLONG, A_UINT64, ... */
  klByteOrder = 2,         /* DUMMY, LITTLE_ENDIAN, BIG_ENDIAN, MSB_FIRST, MSB_LAST */
  klDeposit = 3,           /* DIFFERENCE, ABSOLUTE */
  klCharacteristicType = 4, /* VALUE, CURVE, MAP, CUBOID, VAL_BLK, ASCII, ... */
  klAxisAttribute = 5,     /* STD_AXIS, COM_AXIS, FIX_AXIS, ... */
  klAxisPointsMode = 6,    /* DEPOSIT, FIX_AXIS_PAR, FIX_AXIS_PAR_DIST */
  klConversionType = 7,    /* TAB_INTP, TAB_NOINTP, RAT_FUNC, FORM, TAB_VERB, ... */
  klSegmentType = 8,       /* the PrgType of a MEMORY_SEGMENT (a MEMORY_LAYOUT's: klProgramType) */
  klProgramType = 9,
  klMemoryType = 10,
  klAttribute = 11,        /* INTERN, EXTERN */
  klDataSize = 12,         /* a RESERVED element's size in bytes: index = size */
  klIndexMode = 13,        /* COLUMN_DIR, ROW_DIR (of FNC_VALUES) */
  klAddressing = 14,
  klIndexIncrement = 15    /* INDEX_INCR, INDEX_DECR (of the axis points and rescale elements) */
} TOrdexKeywordList;

/* One field of a public record, as Ordex_GetRecordField describes it. Name is the member's
 * name in this header (a static text of the library). Offset and Size are those of the
 * member in the record; an array member has Count entries of Size / Count bytes each. Kind
 * is a TOrdexFieldKind (of each entry for an array), KeywordList a TOrdexKeywordList for a
 * fkKeyword field (else klNone), SubRecord the TOrdexRecordType of a fkRecord field (else
 * -1). */
typedef struct TRecordField {
  const char* Name;
  uint32_t Offset;
  uint32_t Size;
  uint32_t Count;
  int32_t Kind;
  int32_t KeywordList;
  int32_t SubRecord;
} TRecordField;

/* Describes the field at `index` (from 0, in the order of the record's members) of the
 * public record of type `recordType` (a TOrdexRecordType), so that a program can show,
 * compare or fill every field of a record without naming them: the records' getters fill
 * and their create and change functions take the fields described here. Needs no instance.
 * -1 for an unknown record type, -205 for a null field, -204 when index is at or past the
 * record's last field (the field is left as it was). */
ORDEX_API TOrdexReturnCode Ordex_GetRecordField(int32_t recordType, uint32_t index,
                                                TRecordField* field);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* ORDEX_H */
