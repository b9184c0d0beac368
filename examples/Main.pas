unit Main;

interface

uses
  System.SysUtils, System.Types, System.UITypes, System.Classes,
  FMX.Types, FMX.Controls, FMX.Forms, FMX.StdCtrls, FMX.Layouts,
  FMX.ListBox, FMX.TabControl, FMX.Edit, FMX.Memo, FMX.Controls.Presentation,
  FancyGrid;

type
  TfrmMain = class(TForm)
    ToolBar1: TToolBar;
    lblTitle: TLabel;
    btnReload: TButton;
    ListBox1: TListBox;
    TabControl1: TTabControl;
    tabDetails: TTabItem;
    lblName: TLabel;
    edtName: TEdit;
    chkActive: TCheckBox;
    cbCountry: TComboBox;
    trkRating: TTrackBar;
    pbProgress: TProgressBar;
    swNewsletter: TSwitch;
    gridOrders: TFancyGrid;
    tabNotes: TTabItem;
    memNotes: TMemo;
    StatusBar1: TStatusBar;
    lblStatus: TLabel;
    Timer1: TTimer;
    procedure FormCreate(Sender: TObject);
    procedure btnReloadClick(Sender: TObject);
    procedure ListBox1Change(Sender: TObject);
    procedure edtNameChange(Sender: TObject);
    procedure Timer1Timer(Sender: TObject);
  private
    procedure ShowCustomer(Index: Integer);
  end;

var
  frmMain: TfrmMain;

implementation

{$R *.fmx}

procedure TfrmMain.FormCreate(Sender: TObject);
begin
  ListBox1.ItemIndex := 0;
  ShowCustomer(0);
end;

procedure TfrmMain.btnReloadClick(Sender: TObject);
begin
  ListBox1.Items.BeginUpdate;
  try
    ListBox1.Items.Clear;
    ListBox1.Items.Add('Anna');
    ListBox1.Items.Add('Bernd');
  finally
    ListBox1.Items.EndUpdate;
  end;
  lblStatus.Text := Format('%d Kunden', [ListBox1.Count]);
end;

procedure TfrmMain.ListBox1Change(Sender: TObject);
begin
  ShowCustomer(ListBox1.ItemIndex);
end;

procedure TfrmMain.edtNameChange(Sender: TObject);
begin
  if ListBox1.ItemIndex >= 0 then
    ListBox1.Items[ListBox1.ItemIndex] := edtName.Text;
end;

procedure TfrmMain.Timer1Timer(Sender: TObject);
begin
  pbProgress.Value := (pbProgress.Value + 10) mod 100;
end;

procedure TfrmMain.ShowCustomer(Index: Integer);
begin
  if Index < 0 then
    Exit;
  edtName.Text := ListBox1.Items[Index];
end;

end.
