unit Events;

interface

type
  TForm1 = class(TForm)
    procedure Button1Click(Sender: TObject);
    procedure Button1MouseEnter(Sender: TObject);
  end;

implementation

function TForm1.Button1ClickCount: Integer;
begin
  Result := 0;
end;

procedure TForm1.Button1Click(Sender: TObject);
begin
end;

procedure TForm1.Button1MouseEnter(Sender: TObject);
begin
end;

procedure TForm1.FormCreate(Sender: TObject);
begin
end;

procedure TForm1.Grid1Click(Sender: TObject);
begin
end;

procedure TForm1.Timer1Timer(Sender: TObject);
begin
end;

end.
