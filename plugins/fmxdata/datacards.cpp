#include "datacards.h"

namespace vantor::fmxdata {

using plugin::BlockNode;
using plugin::BlockValue;
using plugin::CardTable;

namespace {

// ---------------------------------------------------------------------------
// Published properties, by family

// Data sets (Data.DB.TDataSet as its descendants publish it).
const char *const kDataSet = "Active AutoCalcFields Filter Filtered FilterOptions ObjectView";
// The data sets of the database components (FireDAC).
const char *const kFDDataSet =
    "ActiveStoredUsage Adapter Aggregates AggregatesActive AutoCommitUpdates CachedUpdates ChangeAlerter "
    "ChangeAlertName Constraints ConstraintsEnabled DetailFields FetchOptions FieldOptions FormatOptions "
    "IndexDefs Indexes IndexesActive IndexFieldNames IndexName LocalSQL MasterFields MasterSource "
    "ResourceOptions UpdateOptions SchemaAdapter Content";
const char *const kFDRdbms = "Connection ConnectionName Transaction UpdateTransaction UpdateObject Params ParamData "
                             "Macros MacroData OptionsIntf";
const char *const kFDOptions = "FetchOptions FormatOptions ResourceOptions UpdateOptions";
const char *const kDriverLink = "DriverID VendorHome VendorLib";
// Fields (Data.DB.TField and its kinds).
const char *const kField =
    "Alignment AutoGenerateValue Calculated ConstraintErrorMessage CustomConstraint DefaultExpression DisplayLabel "
    "DisplayWidth FieldKind FieldName HasConstraints ImportedConstraint Index KeyFields Lookup LookupCache "
    "LookupDataSet LookupKeyFields LookupResultField Origin ProviderFlags ReadOnly Required Visible";
const char *const kStringField = "EditMask FixedChar Size Transliterate";
const char *const kNumberField = "DisplayFormat EditFormat MaxValue MinValue EditMask";
const char *const kFloatField = "Currency Precision";
const char *const kBcdField = "Currency Precision Size";
const char *const kDateField = "DisplayFormat EditMask";
const char *const kBooleanField = "DisplayValues";
const char *const kBlobField = "BlobType GraphicHeader Size Transliterate";
const char *const kBytesField = "Size";
// Bind sources and scopes.
const char *const kBindSource = "ScopeMappings";
const char *const kPrototypeSource = "AutoActivate AutoEdit AutoPost FieldDefs RecordCount";
// Quick-binding links.
const char *const kLink = "Category Active AutoActivate UseEvalShortcuts";
const char *const kControlLink = "Control Track Direction CustomFormat CustomParse InitializeControlValue";
const char *const kFieldLink = "DataSource FieldName LookupDataSource LookupKeyFieldName LookupValueFieldName";
const char *const kPropertyLink = "Component ComponentProperty";
const char *const kFillLink =
    "AutoBufferCount AutoFill BufferCount FillBreakCustomFormat FillBreakFieldName FillBreakGroups "
    "FillDataSource FillDisplayCustomFormat FillDisplayFieldName FillExpressions FillHeaderCustomFormat "
    "FillHeaderExpressions FillHeaderFieldName FillValueFieldName ListItemStyle";
const char *const kListLink =
    "AutoBufferCount BufferCount FillExpressions FillHeaderExpressions FillBreakFieldName FillBreakCustomFormat "
    "FillBreakGroups FillHeaderFieldName FillHeaderCustomFormat ListItemStyle";
const char *const kGridLink = "DataSource GridControl Columns DefaultColumnWidth AutoBufferCount BufferCount Options";
// Binding expressions and their relatives.
const char *const kBindComponent =
    "Category ControlComponent SourceComponent SourceMemberName Methods OutputConverters NotifyOutputs Managed "
    "UseEvalShortcuts AutoActivate Active";
const char *const kBindLink = "ParseExpressions FormatExpressions ClearExpressions PosControlExpressions "
                              "PosSourceExpressions FormatControlExpressions ClearControlExpressions AutoFill "
                              "BufferCount AutoBufferCount ListItemStyle ColumnExpressions PosClearExpressions";
// Actions (FMX.ActnList and the standard actions).
const char *const kAction =
    "AutoCheck Category Checked Enabled GroupIndex HelpContext HelpKeyword HelpType Hint ImageIndex "
    "SecondaryShortCuts ShortCut Text Visible UnsupportedArchitectures UnsupportedPlatforms";
const char *const kStdAction = "CustomText";
const char *const kMediaAction = "Editable MaxHeight MaxWidth NeedSaveToAlbum";
const char *const kTabAction = "TabControl Transition Direction";
// REST client library.
const char *const kRestCommon = "Accept AcceptCharset AcceptEncoding BindSource SynchronizedEvents HandleRedirects";
const char *const kNetCommon =
    "Accept AcceptCharSet AcceptEncoding AcceptLanguage Asynchronous ConnectionTimeout ContentType CustomHeaders "
    "ResponseTimeout SendTimeout SynchronizeEvents";
// Sensors.
const char *const kSensor = "Active";

// ---------------------------------------------------------------------------
// What the cards say

// The nested components of one class family, by name.
QStringList childNames(const BlockNode &node, bool (*want)(const BlockNode &))
{
    QStringList names;
    for (const BlockNode &c : node.children)
        if (want(c))
            names << c.name;
    return names;
}

bool isField(const BlockNode &n)
{
    return n.className.endsWith(QLatin1String("Field"), Qt::CaseInsensitive);
}

// "3 Felder: ID, Name, Preis".
QString fieldsLine(const QStringList &names)
{
    if (names.isEmpty())
        return {};
    return QStringLiteral("%1 %2: %3")
        .arg(names.size())
        .arg(names.size() == 1 ? QStringLiteral("Feld") : QStringLiteral("Felder"))
        .arg(names.join(QStringLiteral(", ")));
}

// The field definitions of a collection (FieldDefs) by their names.
QStringList definedNames(const BlockNode &node, const char *collection)
{
    QStringList names;
    const BlockValue *v = node.find(QString::fromUtf8(collection));
    if (!v || v->kind != BlockValue::Kind::Collection)
        return names;
    for (const auto &item : v->items)
        for (const auto &[name, value] : item)
            if (name.compare(QLatin1String("Name"), Qt::CaseInsensitive) == 0)
                names << value.text;
    return names;
}

QStringList dataSetLines(const BlockNode &node)
{
    QStringList lines;
    QStringList fields = childNames(node, isField);
    if (fields.isEmpty())
        fields = definedNames(node, "FieldDefs");
    if (const QString f = fieldsLine(fields); !f.isEmpty())
        lines << f;
    if (node.show(QStringLiteral("Active")).compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        lines << QStringLiteral("aktiv");
    return lines;
}

QStringList fieldLines(const BlockNode &node)
{
    QString kind = node.className.mid(1);
    kind.chop(5); // "TStringField" -> "String"
    QString line = node.show(QStringLiteral("FieldName"));
    if (line.isEmpty())
        line = node.name;
    line += QStringLiteral(": ") + kind;
    if (const QString size = node.show(QStringLiteral("Size")); !size.isEmpty())
        line += QStringLiteral("(%1)").arg(size);
    return {line};
}

QString sourceField(const BlockNode &node, const char *source, const char *field)
{
    QString s = node.show(QString::fromUtf8(source));
    const QString f = node.show(QString::fromUtf8(field));
    if (!f.isEmpty())
        s += (s.isEmpty() ? QString() : QStringLiteral(".")) + f;
    return s;
}

// "Edit1 ← BindSourceDB1.Name": what the control shows.
QStringList controlToFieldLines(const BlockNode &node)
{
    return {QStringLiteral("%1 %2 %3")
                .arg(node.show(QStringLiteral("Control")), plugin::arrow(), sourceField(node, "DataSource", "FieldName"))};
}

QStringList propertyToFieldLines(const BlockNode &node)
{
    return {QStringLiteral("%1 %2 %3")
                .arg(sourceField(node, "Component", "ComponentProperty"), plugin::arrow(),
                     sourceField(node, "DataSource", "FieldName"))};
}

QStringList controlToPropertyLines(const BlockNode &node)
{
    return {QStringLiteral("%1 %2 %3")
                .arg(sourceField(node, "Component", "ComponentProperty"), plugin::arrow(),
                     node.show(QStringLiteral("Control")))};
}

QStringList fillControlToFieldLines(const BlockNode &node)
{
    QStringList lines = controlToFieldLines(node);
    const QString fill = sourceField(node, "FillDataSource", "FillDisplayFieldName");
    if (!fill.isEmpty())
        lines << QStringLiteral("Liste %1 %2").arg(plugin::arrow(), fill);
    return lines;
}

QStringList fillControlToPropertyLines(const BlockNode &node)
{
    QStringList lines = controlToPropertyLines(node);
    const QString fill = sourceField(node, "FillDataSource", "FillDisplayFieldName");
    if (!fill.isEmpty())
        lines << QStringLiteral("Liste %1 %2").arg(plugin::arrow(), fill);
    return lines;
}

QStringList gridLines(const BlockNode &node)
{
    QStringList lines{QStringLiteral("%1 %2 %3")
                          .arg(node.show(QStringLiteral("GridControl")), plugin::arrow(),
                               node.show(QStringLiteral("DataSource")))};
    const BlockValue *columns = node.find(QStringLiteral("Columns"));
    if (columns && columns->kind == BlockValue::Kind::Collection && !columns->items.empty())
        lines << QStringLiteral("%1 Spalten").arg(columns->items.size());
    return lines;
}

QStringList expressionLines(const BlockNode &node)
{
    QStringList lines;
    const QString control = sourceField(node, "ControlComponent", "ControlExpression");
    const QString source = sourceField(node, "SourceComponent", "SourceExpression");
    if (!control.isEmpty() || !source.isEmpty())
        lines << QStringLiteral("%1 %2 %3").arg(control, plugin::arrow(), source);
    return lines;
}

QStringList prototypeLines(const BlockNode &node)
{
    QStringList lines;
    if (const QString f = fieldsLine(definedNames(node, "FieldDefs")); !f.isEmpty())
        lines << f;
    return lines;
}

const CardTable &table();

// A bindings list: what each binding in it binds.
QStringList bindingsListLines(const BlockNode &node)
{
    QStringList lines;
    int bindings = 0;
    for (const BlockNode &c : node.children) {
        ++bindings;
        const QStringList d = describeNode(table(), c);
        lines << (d.isEmpty() ? c.name : d.front());
    }
    lines.prepend(QStringLiteral("%1 %2").arg(bindings).arg(bindings == 1 ? QStringLiteral("Bindung")
                                                                           : QStringLiteral("Bindungen")));
    return lines;
}

QStringList connectionLines(const BlockNode &node)
{
    QStringList lines;
    const BlockValue *params = node.find(QStringLiteral("Params.Strings"));
    if (params)
        for (const QString &p : params->list)
            if (p.startsWith(QLatin1String("Database="), Qt::CaseInsensitive) ||
                p.startsWith(QLatin1String("DriverID="), Qt::CaseInsensitive))
                lines << p;
    return lines;
}

QStringList queryLines(const BlockNode &node)
{
    QStringList lines;
    if (const QString sql = node.show(QStringLiteral("SQL")); !sql.isEmpty())
        lines << sql;
    lines << dataSetLines(node);
    return lines;
}

QStringList requestLines(const BlockNode &node)
{
    QString method = node.show(QStringLiteral("Method"));
    if (method.startsWith(QLatin1String("rm")))
        method = method.mid(2).toUpper();
    const QString resource = node.show(QStringLiteral("Resource"));
    if (method.isEmpty() && resource.isEmpty())
        return {};
    return {QStringLiteral("%1 %2").arg(method.isEmpty() ? QStringLiteral("GET") : method, resource).trimmed()};
}

QStringList tetheringLines(const BlockNode &node)
{
    QStringList lines;
    const BlockValue *resources = node.find(QStringLiteral("Resources"));
    if (resources && resources->kind == BlockValue::Kind::Collection && !resources->items.empty())
        lines << QStringLiteral("%1 Ressourcen").arg(resources->items.size());
    const BlockValue *actions = node.find(QStringLiteral("Actions"));
    if (actions && actions->kind == BlockValue::Kind::Collection && !actions->items.empty())
        lines << QStringLiteral("%1 Aktionen").arg(actions->items.size());
    return lines;
}

QStringList emsProviderLines(const BlockNode &node)
{
    const QString host = node.show(QStringLiteral("URLHost"));
    if (host.isEmpty())
        return {};
    const QString port = node.show(QStringLiteral("URLPort"));
    return {port.isEmpty() ? host : host + QLatin1Char(':') + port};
}

CardTable makeTable()
{
    CardTable t;
    // Live bindings.
    t.add("TBindingsList", {"Methods OutputConverters UseAppManager PromptDeleteUnused"}, "", bindingsListLines);
    t.add("TBindSourceDB", {kBindSource, "DataSet"}, "DataSet");
    t.add("TBindScopeDB", {kBindSource, "DataSource"}, "DataSource");
    t.add("TPrototypeBindSource", {kBindSource, kPrototypeSource}, "RecordCount", prototypeLines);
    t.add("TAdapterBindSource", {kBindSource, "Adapter AutoActivate AutoEdit AutoPost"}, "Adapter");
    t.add("TDataGeneratorAdapter", {"Active AutoEdit AutoPost FieldDefs Options RecordCount"}, "RecordCount",
          prototypeLines);
    t.add("TLinkControlToField", {kLink, kControlLink, kFieldLink}, "", controlToFieldLines);
    t.add("TLinkFillControlToField", {kLink, kControlLink, kFieldLink, kFillLink}, "", fillControlToFieldLines);
    t.add("TLinkListControlToField", {kLink, "Control DataSource FieldName CustomFormat", kListLink}, "",
          controlToFieldLines);
    t.add("TLinkPropertyToField", {kLink, kPropertyLink, kFieldLink, "CustomFormat InitializeControlValue"}, "",
          propertyToFieldLines);
    t.add("TLinkControlToProperty", {kLink, kControlLink, kPropertyLink}, "", controlToPropertyLines);
    t.add("TLinkFillControlToProperty", {kLink, kControlLink, kPropertyLink, kFillLink}, "",
          fillControlToPropertyLines);
    t.add("TLinkListControlToProperty", {kLink, kControlLink, kPropertyLink, kListLink}, "", controlToPropertyLines);
    t.add("TLinkGridToDataSource", {kLink, kGridLink}, "", gridLines);
    t.add("TBindDBGridLink", {kLink, kGridLink}, "", gridLines);
    t.add("TBindExpression",
          {kBindComponent, "ControlExpression SourceExpression Direction"}, "", expressionLines);
    t.add("TBindExprItems", {kBindComponent, "FormatExpressions ClearExpressions"}, "", expressionLines);
    t.add("TBindLink", {kBindComponent, kBindLink}, "", expressionLines);
    t.add("TBindList", {kBindComponent, kBindLink}, "", expressionLines);
    t.add("TBindListLink", {kBindComponent, kBindLink}, "", expressionLines);
    t.add("TBindGridLink", {kBindComponent, kBindLink}, "", expressionLines);
    t.add("TBindPosition", {kBindComponent, "PosControlExpressions PosSourceExpressions PosClearExpressions"}, "",
          expressionLines);
    for (const char *name : {"TFMXBindNavigateFirst", "TFMXBindNavigatePrior", "TFMXBindNavigateNext",
                             "TFMXBindNavigateLast", "TFMXBindNavigateInsert", "TFMXBindNavigateDelete",
                             "TFMXBindNavigateEdit", "TFMXBindNavigatePost", "TFMXBindNavigateCancel",
                             "TFMXBindNavigateRefresh", "TFMXBindNavigateApplyUpdates",
                             "TFMXBindNavigateCancelUpdates"})
        t.add(name, {kAction, "DataSource"}, "DataSource");

    // Data access: the database components.
    t.add("TFDMemTable", {kDataSet, kFDDataSet, "StoreDefs FieldDefs FileName"}, "IndexFieldNames", dataSetLines);
    t.add("TFDQuery", {kDataSet, kFDDataSet, kFDRdbms, "SQL FieldDefs StoreDefs"}, "Connection", queryLines);
    t.add("TFDTable", {kDataSet, kFDDataSet, kFDRdbms, "TableName CatalogName SchemaName Exclusive FieldDefs StoreDefs"},
          "TableName Connection", dataSetLines);
    t.add("TFDStoredProc",
          {kDataSet, kFDDataSet, kFDRdbms, "StoredProcName PackageName CatalogName SchemaName Overload FieldDefs StoreDefs"},
          "StoredProcName Connection", dataSetLines);
    t.add("TFDConnection",
          {kFDOptions, "ConnectionDefName DriverName Connected ConnectedStoredUsage Params TxOptions LoginDialog "
                       "LoginPrompt Transaction UpdateTransaction SharedCliHandle ConnectionName OptionsIntf"},
          "DriverName ConnectionDefName", connectionLines);
    t.add("TFDTransaction", {"Connection Options"}, "Connection");
    t.add("TFDCommand",
          {kFDOptions, "Active BaseObjectName CatalogName CommandKind CommandText Connection ConnectionName Macros "
                       "Overload Params SchemaName Transaction"},
          "CommandText Connection");
    t.add("TFDUpdateSQL",
          {"Connection ConnectionName InsertSQL ModifySQL DeleteSQL LockSQL UnlockSQL FetchRowSQL Commands"},
          "Connection");
    t.add("TFDSchemaAdapter", {"ResourceOptions UpdateOptions"});
    t.add("TFDLocalSQL", {"Active Connection DataSets MultipleCursors SchemaName"}, "Connection DataSets");
    t.add("TFDGUIxWaitCursor", {"Provider ScreenCursor"}, "Provider");
    t.add("TFDGUIxLoginDialog",
          {"Caption ChangeExpiredPassword HistoryEnabled HistoryKey HistoryKind HistoryStorage HistoryWithPassword "
           "LoginRetries Provider VisibleItems"},
          "Caption");
    t.add("TFDGUIxErrorDialog", {"Caption Provider"}, "Caption");
    for (const char *name : {"TFDStanStorageJSONLink", "TFDStanStorageBinLink", "TFDStanStorageXMLLink"})
        t.add(name, {""});
    t.add("TFDPhysSQLiteDriverLink", {kDriverLink, "EngineLinkage SQLiteAdvanced"}, "DriverID");
    t.add("TFDPhysIBDriverLink", {kDriverLink, "Embedded Lite ThreadSafe"}, "DriverID");
    t.add("TFDPhysFBDriverLink", {kDriverLink, "Embedded Lite ThreadSafe"}, "DriverID");
    t.add("TFDPhysMSAccessDriverLink", {kDriverLink, "ODBCAdvanced ODBCDriver"}, "DriverID");
    t.add("TFDPhysMSSQLDriverLink", {kDriverLink, "ODBCAdvanced ODBCDriver ListServers"}, "DriverID");
    t.add("TFDPhysODBCDriverLink", {kDriverLink, "ODBCAdvanced ODBCDriver"}, "DriverID");
    for (const char *name : {"TFDPhysMySQLDriverLink", "TFDPhysPgDriverLink", "TFDPhysOracleDriverLink",
                             "TFDPhysMongoDriverLink", "TFDPhysDSDriverLink", "TFDPhysTDBXDriverLink"})
        t.add(name, {kDriverLink, "NLSLang TNSAdmin"}, "DriverID");

    // Data access: the data set and data source of the database library,
    // client data sets and the older SQL components.
    t.add("TDataSource", {"AutoEdit DataSet Enabled"}, "DataSet");
    t.add("TClientDataSet",
          {kDataSet, "Aggregates AggregatesActive CommandText ConnectionBroker Constraints DataSetField "
                     "DisableStringTrim FetchOnDemand FieldDefs FileName IndexDefs IndexFieldNames IndexName "
                     "MasterFields MasterSource PacketRecords Params ProviderName ReadOnly RemoteServer StoreDefs Data"},
          "ProviderName FileName", dataSetLines);
    t.add("TDataSetProvider", {"Constraints DataSet Exported Options ResolveToDataSet UpdateMode"}, "DataSet");
    t.add("TSQLConnection",
          {"ConnectionName DriverName GetDriverFunc KeepConnection LibraryName LoadParamsOnConnect LoginPrompt Params "
           "TableScope VendorLib Connected"},
          "DriverName ConnectionName");
    t.add("TSQLQuery",
          {kDataSet, "DataSource GetMetadata MaxBlobSize NumericMapping ParamCheck Params SchemaName SQL SQLConnection"},
          "SQLConnection", queryLines);
    t.add("TSQLDataSet",
          {kDataSet, "CommandText CommandType DataSource DbxCommandType GetMetadata MaxBlobSize NumericMapping "
                     "ParamCheck Params SchemaName SortFieldNames SQLConnection"},
          "CommandText SQLConnection", dataSetLines);
    t.add("TSQLTable",
          {kDataSet, "GetMetadata IndexFieldNames IndexName MasterFields MasterSource MaxBlobSize NumericMapping "
                     "SchemaName SQLConnection TableName"},
          "TableName SQLConnection", dataSetLines);
    t.add("TDSProviderConnection", {"Connected ServerClassName SQLConnection"}, "ServerClassName SQLConnection");
    t.add("TDSServer", {"AutoStart HideDSAdmin ChannelResponseTimeout"}, "AutoStart");
    t.add("TDSServerClass", {"LifeCycle Server"}, "Server LifeCycle");
    t.add("TDSTCPServerTransport",
          {"AuthenticationManager BufferKBSize Filters KeepAliveEnablement KeepAliveInterval KeepAliveTime MaxThreads "
           "PoolSize Port Server"},
          "Port Server");

    // Fields.
    t.add("TStringField", {kField, kStringField}, "", fieldLines);
    t.add("TWideStringField", {kField, kStringField}, "", fieldLines);
    t.add("TGuidField", {kField, kStringField}, "", fieldLines);
    for (const char *name : {"TIntegerField", "TSmallintField", "TShortintField", "TByteField", "TWordField",
                             "TLongWordField", "TLargeintField", "TAutoIncField"})
        t.add(name, {kField, kNumberField}, "", fieldLines);
    for (const char *name : {"TFloatField", "TCurrencyField", "TSingleField", "TExtendedField"})
        t.add(name, {kField, kNumberField, kFloatField}, "", fieldLines);
    t.add("TBCDField", {kField, kNumberField, kBcdField}, "", fieldLines);
    t.add("TFMTBCDField", {kField, kNumberField, kBcdField}, "", fieldLines);
    for (const char *name : {"TDateField", "TTimeField", "TDateTimeField", "TSQLTimeStampField"})
        t.add(name, {kField, kDateField}, "", fieldLines);
    t.add("TBooleanField", {kField, kBooleanField}, "", fieldLines);
    for (const char *name : {"TBlobField", "TMemoField", "TWideMemoField", "TGraphicField"})
        t.add(name, {kField, kBlobField}, "", fieldLines);
    t.add("TBytesField", {kField, kBytesField}, "", fieldLines);
    t.add("TVarBytesField", {kField, kBytesField}, "", fieldLines);
    t.add("TAggregateField", {kField, "Active DisplayFormat Expression GroupingLevel IndexName Currency Precision"},
          "Expression");

    // REST and HTTP clients.
    t.add("TRESTClient",
          {kRestCommon, "AllowCookies Authenticator AutoCreateParams BaseURL ContentType FallbackCharsetEncoding "
                        "Params ProxyPassword ProxyPort ProxyServer ProxyUsername RaiseExceptionOn500 "
                        "SecureProtocols UserAgent ConnectTimeout ReadTimeout RedirectsWithGET"},
          "BaseURL");
    t.add("TRESTRequest",
          {kRestCommon, "AssignedValues AutoCreateParams Client ConnectTimeout Method Params ReadTimeout Resource "
                        "ResourceSuffix Response Timeout TransientParams URLAlreadyEncoded"},
          "Client", requestLines);
    t.add("TRESTResponse", {"BindSource ContentEncoding ContentType RootElement"}, "ContentType RootElement");
    t.add("TRESTResponseDataSetAdapter",
          {"Active AutoUpdate Dataset FieldDefs NestedElements NestedElementsDepth Response ResponseJSON "
           "RootElement StringFieldSize TypesMode"},
          "Response Dataset");
    t.add("TOAuth2Authenticator",
          {"AccessToken AccessTokenEndpoint AccessTokenExpiry AccessTokenParamName AuthCode AuthorizationEndpoint "
           "BindSource ClientID ClientSecret LocalState RedirectionEndpoint RefreshToken ResponseType Scope TokenType"},
          "AuthorizationEndpoint");
    t.add("TOAuth1Authenticator",
          {"AccessToken AccessTokenEndpoint AccessTokenSecret AuthenticationEndpoint BindSource CallbackEndpoint "
           "ConsumerKey ConsumerSecret RequestToken RequestTokenEndpoint RequestTokenSecret SigningClass VerifierPIN"},
          "AuthenticationEndpoint");
    t.add("THTTPBasicAuthenticator", {"BindSource Password Username"}, "Username");
    t.add("TSimpleAuthenticator", {"BindSource Password PasswordKey Username UsernameKey"}, "Username");
    t.add("TNetHTTPClient",
          {kNetCommon, "AllowCookies AuthName AutomaticDecompression CredentialsStorage HandleRedirects MaxRedirects "
                       "PreemptiveAuthentication ProxySettings SecureProtocols UseDefaultCredentials UserAgent"},
          "UserAgent");
    t.add("TNetHTTPRequest", {kNetCommon, "Client MethodString URL"}, "MethodString URL");

    // App tethering.
    t.add("TTetheringManager", {"AllowedAdapters Enabled Password SynchronizeEvents Text"}, "Text AllowedAdapters");
    t.add("TTetheringAppProfile", {"Actions Enabled Group Manager Resources Text Visible"}, "Manager Group",
          tetheringLines);

    // Sensors, beacons, Bluetooth, notifications, contacts, purchases.
    t.add("TLocationSensor", {kSensor, "Accuracy ActivityType Distance UsageAuthorization"}, "Active");
    for (const char *name : {"TMotionSensor", "TOrientationSensor", "TLightSensor", "TEnvironmentalSensor",
                             "TElectricalSensor", "TMechanicalSensor", "TBiometricSensor", "TScannerSensor"})
        t.add(name, {kSensor, "UpdateInterval"}, "Active");
    t.add("TBeacon",
          {"BeaconDeathTime CalcMode Enabled KindofBeacons Mode ModeExtended MonitorizedRegions ScanningSleepingTime "
           "ScanningTime SPC"},
          "Mode MonitorizedRegions");
    t.add("TBeaconDevice",
          {"BeaconType EddystoneInstance EddystoneNamespace EddystoneURL Enabled GUID Major Minor Mode ModeExtended "
           "TxPower"},
          "GUID");
    t.add("TBluetoothLE", {"Enabled ForceRefreshCachedDevices"}, "Enabled");
    t.add("TBluetooth", {"Enabled"}, "Enabled");
    t.add("TNotificationCenter", {""});
    t.add("TAddressBook", {""});
    t.add("TInAppPurchase", {"ApplicationLicenseKey ProductIDs TestMode"}, "ProductIDs");

    // Back-end services.
    t.add("TEMSProvider",
          {"AndroidPush ApiVersion ApplicationId AppSecret MasterSecret ProxyPort ProxyServer TenantId TenantSecret "
           "URLBasePath URLHost URLPort URLProtocol"},
          "", emsProviderLines);
    t.add("TBackendEndpoint",
          {"Accept AllowHTTPErrors Auth BindSource Method Params Provider Resource ResourceSuffix Response "
           "SynchronizedEvents Timeout"},
          "Provider", requestLines);
    t.add("TBackendAuth", {"Authentication BindSource DefaultAuthentication LoginPrompt Provider UserDetails"},
          "Provider");
    t.add("TBackendUsers", {"Auth BindSource Provider"}, "Provider");
    t.add("TBackendStorage", {"Auth BindSource Provider"}, "Provider");
    t.add("TBackendQuery", {"Auth BackendClassName BackendService BindSource JSONResult Provider QueryLines"},
          "BackendClassName Provider");

    // Standard actions.
    t.add("TControlAction", {kAction}, "Text");
    t.add("TChangeTabAction", {kAction, kStdAction, "Tab Transition Direction"}, "Tab Text");
    t.add("TNextTabAction", {kAction, kStdAction, kTabAction}, "TabControl Text");
    t.add("TPreviousTabAction", {kAction, kStdAction, kTabAction}, "TabControl Text");
    t.add("TTakePhotoFromCameraAction", {kAction, kStdAction, kMediaAction}, "Text");
    t.add("TTakePhotoFromLibraryAction", {kAction, kStdAction, kMediaAction}, "Text");
    t.add("TShowShareSheetAction", {kAction, kStdAction}, "Text");
    t.add("TValueRangeAction", {kAction, kStdAction, "ValueRange"}, "Text");
    for (const char *name : {"TWindowClose", "TVirtualKeyboard", "TFileHideApp", "TFileHideAppOthers"})
        t.add(name, {kAction, kStdAction}, "Text");
    for (const char *name : {"TMediaPlayerStart", "TMediaPlayerStop", "TMediaPlayerPlayPause"})
        t.add(name, {kAction, kStdAction, "MediaPlayer"}, "MediaPlayer");
    t.add("TMediaPlayerCurrentTime", {kAction, kStdAction, "MediaPlayer ValueRange"}, "MediaPlayer");
    t.add("TMediaPlayerVolume", {kAction, kStdAction, "MediaPlayer ValueRange"}, "MediaPlayer");
    return t;
}

const CardTable &table()
{
    static const CardTable t = makeTable();
    return t;
}

} // namespace

const CardTable &dataCards()
{
    return table();
}

} // namespace vantor::fmxdata
