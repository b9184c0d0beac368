unit Unit1;

interface

type
  TForm1 = class(TForm)
    procedure Button1Click(Sender: TObject);
  end;

implementation

procedure TForm1.Button1Click(Sender: TObject);
begin
end;

procedure TForm1.FormCreate(Sender: TObject);
begin
end;

end.
